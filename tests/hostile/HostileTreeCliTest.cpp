// The command-line lister run end to end on the hostile tree (made once per run): every row
// stays on one line, CSV keeps the cells exact, and the exit status tells how the listing ended.

#include "listing/ListingTexts.h"
#include "support/HostileTreeSuite.h"
#include "support/ListerProcess.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace quiverel {
namespace {

using namespace quiverel::testing;

const std::string badTarget = std::string(texts::badTarget) + "\n";
const std::string noFiles = std::string(texts::noFilesFound) + "\n";

// The lister's two lines about a failure; the path as the lister writes it (escaped).
std::string failure(const std::string& path, int error) {
    return badTarget + "quiverel2000-list: '" + path + "': " + std::strerror(error) + "\n";
}

// One TSV line of all columns for the file `name` listed from `folder`, both given as the
// lister writes them (escaped); an empty number for a row the batch did not get to number.
std::string line(const std::string& number, const std::string& folder, const std::string& name,
                 const std::string& size = "1KB", const std::string& version = "-",
                 const std::string& stamp = fixedStamp, const std::string& extension = "TXT") {
    return number + "\t" + name + "\t" + folder + "\t" + size + "\t" + version + "\t" + stamp +
           "\t" + folder + name + "\t" + extension + "\n";
}

// One CSV line of all columns; the name and full-path cells are given as written (quoted
// where they must be).
std::string csvLine(const std::string& number, const std::string& folder,
                    const std::string& nameCell, const std::string& fullPathCell,
                    const std::string& extension = "TXT") {
    return number + "," + nameCell + "," + folder + ",1KB,-," + fixedStamp + "," + fullPathCell +
           "," + extension + "\n";
}

// How a run of the lister ends.
struct CommandLine {
    std::string item;
    std::vector<std::string> args;
    int status;
    std::string out;
    std::string err;
    std::string workingDirectory = {};
};

class HostileTreeCliTest : public HostileTreeSuite {
protected:
    void SetUp() override {
        HostileTreeSuite::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        tree().restoreVanishingFile();
        // The lister's messages in a Japanese locale are the window's own.
        ::setenv("LC_ALL", "ja_JP.UTF-8", 1);
    }

    static std::string stampLines(const std::string& listedFrom) {
        std::string lines;
        int number = 0;
        for (const StampedFile& stamped : stampedFiles) {
            lines += line(std::to_string(++number), listedFrom, stamped.name, "1KB", "-",
                          tree().listedStamp(stamped));
        }
        return lines;
    }
};

TEST_F(HostileTreeCliTest, EveryCommandLineHasItsStatedOutcome) {
    const std::string names = folder("names");
    const CommandLine table[] = {
        {"names as TSV: tab, line break and backslash escaped, all else as it is",
         {path("names")},
         0,
         line("1", names, "  blanks.txt  ", "1KB", "-", fixedStamp, "TXT  ") +
             line("2", names, "\"quoted\" 'name'.txt") + line("3", names, "back\\\\slash.txt") +
             line("4", names, "bad\uFFFD-\uFFFD\uFFFD.txt") + line("5", names, "line\\nbreak.txt") +
             line("6", names, "tab\\tname.txt") + line("7", names, "ﾃｽﾄ漢字.txt"),
         ""},
        {"names as CSV: every cell exact, quoted where it holds a separator or control",
         {"-f", "csv", path("names")},
         0,
         csvLine("1", names, "  blanks.txt  ", names + "  blanks.txt  ", "TXT  ") +
             csvLine("2", names, "\"\"\"quoted\"\" 'name'.txt\"",
                     "\"" + names + "\"\"quoted\"\" 'name'.txt\"") +
             csvLine("3", names, "back\\slash.txt", names + "back\\slash.txt") +
             csvLine("4", names, "bad\uFFFD-\uFFFD\uFFFD.txt",
                     names + "bad\uFFFD-\uFFFD\uFFFD.txt") +
             csvLine("5", names, "\"line\nbreak.txt\"", "\"" + names + "line\nbreak.txt\"") +
             csvLine("6", names, "\"tab\tname.txt\"", "\"" + names + "tab\tname.txt\"") +
             csvLine("7", names, "ﾃｽﾄ漢字.txt", names + "ﾃｽﾄ漢字.txt"),
         ""},
        {"a folder named with a byte that is never UTF-8 and a line break",
         {path(oddFolderNative)},
         0,
         line("1", folder("odd\uFFFD\\nfolder"), "inner.txt"),
         ""},
        {"a FIFO named x.exe: listed, never opened, no version",
         {path("names/x.exe")},
         0,
         line("1", names, "x.exe", "1KB", "", fixedStamp, "EXE"),
         ""},
        {"a folder holding links to itself, to its parent, to / and one that points at itself",
         {path("loop")},
         0,
         line("1", folder("loop"), "inside.txt"),
         ""},
        {"the same folder with sub-folders switched off", {"-n", path("loop")}, 3, "", noFiles},
        {"a link to itself", {path("loop/self")}, 2, "", failure(path("loop/self"), ELOOP)},
        {"2,000 levels deep",
         {path("deep")},
         0,
         line("1", tree().deepest() + "/", "bottom.txt"),
         ""},
        {"a 5 GiB sparse DLL",
         {path("sparse")},
         0,
         line("1", folder("sparse"), "huge.dll", "5,242,881KB", "", fixedStamp, "DLL"),
         ""},
        {"time stamps before 1970, after 2038 and in the year 9999",
         {path("stamps")},
         0,
         stampLines(folder("stamps")),
         ""},
        {"a link to a folder", {path("stamps-link")}, 0, stampLines(folder("stamps-link")), ""},
        {"a relative link to a folder with a trailing separator",
         {"stamps-link/"},
         0,
         stampLines(folder("stamps-link")),
         "",
         tree().root()},
        {"a name with blanks around it, given relative",
         {"names/  blanks.txt  "},
         0,
         line("1", names, "  blanks.txt  ", "1KB", "-", fixedStamp, "TXT  "),
         "",
         tree().root()},
        {"two trailing separators", {path("stamps//")}, 0, stampLines(folder("stamps")), ""},
        {"an empty piece: the rows before it stay, unsorted and unnumbered",
         {path("stamps/year-9999.txt"), path("names/tab\tname.txt"), "", path("many")},
         2,
         line("", folder("stamps"), "year-9999.txt", "1KB", "-",
              tree().listedStamp(stampedFiles[2])) +
             line("", names, "tab\\tname.txt"),
         failure("", ENOENT)},
        {"a failing path with a line break in it: the report keeps to its line",
         {path("names/line\nbreak.txt/inside")},
         2,
         "",
         failure(names + "line\\nbreak.txt/inside", ENOTDIR)},
        {"a failing path with terminal commands in it: they are written escaped",
         {path("names/\x1b]0;owned\x07\x1b[2J\x7f")},
         2,
         "",
         failure(names + "\\x1B]0;owned\\x07\\x1B[2J\\x7F", ENOENT)},
        {"a link to / with sub-folders switched off", {"-n", path("loop/slash")}, 3, "", noFiles},
        {"a path that does not exist",
         {path("sparse/huge.dll"), path("missing")},
         2,
         line("", folder("sparse"), "huge.dll", "5,242,881KB", "", fixedStamp, "DLL"),
         failure(path("missing"), ENOENT)},
    };
    for (const CommandLine& expected : table) {
        SCOPED_TRACE(expected.item);
        std::vector<std::string> args = {"--strict", "-l", "-c", "all"};
        args.insert(args.end(), expected.args.begin(), expected.args.end());
        const ListerOutcome outcome = runLister(args, expected.workingDirectory);
        EXPECT_EQ(outcome.status, expected.status);
        EXPECT_EQ(outcome.out, expected.out);
        EXPECT_EQ(outcome.err, expected.err);
    }
}

TEST_F(HostileTreeCliTest, WholeTreeListsOneLinePerFile) {
    const std::string root = upperAscii(tree().root());
    const auto in = [&root](std::string_view relative) {
        return root + "/" + std::string(relative) + "/";
    };
    const std::string names = in("NAMES");
    const std::string stamps = in("STAMPS");
    // The rows in the order of their file names, letters folded, without their numbers.
    std::vector<std::string> rows = {
        line("", names, "  BLANKS.TXT  ", "1KB", "-", fixedStamp, "TXT  "),
        line("", names, "\"QUOTED\" 'NAME'.TXT"),
        line("", stamps, "AFTER-2038.TXT", "1KB", "-", tree().listedStamp(stampedFiles[0])),
        line("", names, "BACK\\\\SLASH.TXT"),
        line("", names, "BAD\uFFFD-\uFFFD\uFFFD.TXT"),
        line("", stamps, "BEFORE-1970.TXT", "1KB", "-", tree().listedStamp(stampedFiles[1])),
        line("", upperAscii(tree().deepest()) + "/", "BOTTOM.TXT"),
        line("", in("VANISH"), "GONE.TXT"),
        line("", in("SPARSE"), "HUGE.DLL", "5,242,881KB", "", fixedStamp, "DLL"),
        line("", in("ODD\uFFFD\\nFOLDER"), "INNER.TXT"),
        line("", in("LOOP"), "INSIDE.TXT"),
        line("", in("VANISH/SUB"), "KEPT.TXT"),
        line("", names, "LINE\\nBREAK.TXT"),
    };
    for (int i = 0; i < manyFiles; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "N%06d.TXT", i);
        rows.push_back(line("", in("MANY"), name));
    }
    for (const std::string& last : {
             line("", in("LOCKED"), "SECRET.TXT"),
             line("", in("VANISH"), "STAYS.TXT"),
             line("", names, "TAB\\tNAME.TXT"),
             line("", stamps, "YEAR-9999.TXT", "1KB", "-", tree().listedStamp(stampedFiles[2])),
             line("", names, "ﾃｽﾄ漢字.TXT"),
         }) {
        rows.push_back(last);
    }

    const ListerOutcome outcome = runLister({"-U", "-c", "all", tree().root()});

    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "");
    std::size_t at = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string expected = std::to_string(i + 1) + rows[i];
        if (outcome.out.compare(at, expected.size(), expected) != 0) {
            const std::size_t end = outcome.out.find('\n', at);
            FAIL() << "line " << i + 1 << " is\n"
                   << outcome.out.substr(at, end - at) << "\ninstead of\n"
                   << expected;
        }
        at += expected.size();
    }
    EXPECT_EQ(at, outcome.out.size()) << "more lines than files";
}

TEST_F(HostileTreeCliTest, UnreadableFolderEndsAStrictRunWithTwoAndKeepsEarlierRows) {
    // Root reads every folder, so the lister runs as a user without rights.
    const LockedFolder lock(path("locked"));
    const ListerOutcome outcome = runLister({"--strict", "-l", "-c", "all", path("sparse/huge.dll"),
                                             path("names/back\\slash.txt"), tree().root()},
                                            {}, {}, dropPrivileges);
    if (outcome.status == childCannotRun) {
        GTEST_SKIP() << "privileges cannot be dropped here";
    }
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.out,
              line("", folder("sparse"), "huge.dll", "5,242,881KB", "", fixedStamp, "DLL") +
                  line("", folder("names"), "back\\\\slash.txt"));
    EXPECT_EQ(outcome.err, failure(path("locked"), EACCES));
}

TEST_F(HostileTreeCliTest, FilesOfAFolderThatCannotBeSearchedArePassedOverAndCounted) {
    // Its names can be read, but not one of its files reached: for everyone but its owner, who
    // is root, so the lister runs as a user without rights.
    const LockedFolder readOnly(path("names"), 0744);
    ::setenv("LC_ALL", "C", 1);
    const std::string names = folder("names");
    const ListerOutcome outcome = runLister(
        {"-l", "-c", "all", path("names"), path("stamps/year-9999.txt")}, {}, {}, dropPrivileges);
    if (outcome.status == childCannotRun) {
        GTEST_SKIP() << "privileges cannot be dropped here";
    }
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, line("1", folder("stamps"), "year-9999.txt", "1KB", "-",
                                tree().listedStamp(stampedFiles[2])));
    EXPECT_EQ(outcome.err, "quiverel2000-list: 7 files passed over, their time stamps could not "
                           "be read: '" +
                               names + "  blanks.txt  ', '" + names + "\"quoted\" 'name'.txt', '" +
                               names + "back\\\\slash.txt', ...\n");
}

} // namespace
} // namespace quiverel
