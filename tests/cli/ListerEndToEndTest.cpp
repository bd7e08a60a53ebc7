// Runs the built quiverel2000-list on real temporary trees.

#include "listing/ListingTexts.h"
#include "support/HostileTree.h"
#include "support/ListerProcess.h"
#include "support/PosixTree.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <map>
#include <pty.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace quiverel {
namespace {

using namespace std::string_literals;
using testing::PosixTree;
using testing::runLister;
using Outcome = testing::ListerOutcome;

std::string upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

constexpr const char* stamp = "2001/02/03 04:05"; // of every file made here, in UTC

const std::string noFiles = "no files were found to list\n";
const std::string badTarget = "a path given could not be listed\n";

class ListerEndToEnd : public ::testing::Test {
protected:
    // The messages these tests expect are the English ones.
    void SetUp() override { ::setenv("LC_ALL", "C", 1); }

    // A file of the given size, modified at 2001-02-03 04:05:06 UTC.
    std::string file(const std::string& relative, std::size_t size = 10) const {
        const std::string path = tree.makeFile(relative, std::string(size, 'x'));
        const timespec times[2] = {{981173106, 0}, {981173106, 0}};
        ::utimensat(AT_FDCWD, path.c_str(), times, 0);
        return path;
    }

    PosixTree tree;
};

TEST_F(ListerEndToEnd, VersionAndHelp) {
    const Outcome version = runLister({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "quiverel2000-list 0.9.0\n");
    EXPECT_EQ(version.err, "");

    const Outcome help = runLister({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--columns=LIST"), std::string::npos);
    EXPECT_NE(help.out.find("\\t, \\r, \\n or \\\\"), std::string::npos);
    EXPECT_EQ(help.err, "");
}

TEST_F(ListerEndToEnd, BadCommandLinesExitWithUsage) {
    const std::vector<std::vector<std::string>> commandLines = {
        {}, {"-x", "a"}, {"--columns=9", "a"}, {"--format=xml", "a"}, {"-p", "a/b", "a"}};
    for (const auto& args : commandLines) {
        const Outcome outcome = runLister(args);
        EXPECT_EQ(outcome.status, 64);
        EXPECT_EQ(outcome.out, "");
        EXPECT_TRUE(outcome.err.starts_with("quiverel2000-list: ")) << outcome.err;
        EXPECT_NE(outcome.err.find("Usage: quiverel2000-list [OPTION]... PATH..."),
                  std::string::npos);
    }
}

TEST_F(ListerEndToEnd, ListsAFolderSortedAndNumbered) {
    tree.makeFolder("sub");
    file("b.txt", 1024);
    file("A.dat");
    file("sub/c.TXT", 2048);
    file(".hidden");
    const std::string root = tree.root();
    const std::string upperRoot = upper(root);
    struct Case {
        std::vector<std::string> args;
        std::string expected;
    };
    const Case cases[] = {
        {{root},
         "1\tA.dat\t" + root + "/\t1KB\t-\t" + stamp + "\t" + root + "/A.dat\tDAT\n" +
             "2\tb.txt\t" + root + "/\t2KB\t-\t" + stamp + "\t" + root + "/b.txt\tTXT\n" +
             "3\tc.TXT\t" + root + "/sub/\t3KB\t-\t" + stamp + "\t" + root + "/sub/c.TXT\tTXT\n"},
        // The defaults the lister had before, spelled out, give the rows they gave.
        {{"-U", "-c", "1,2,3,4,5", root},
         "1\tA.DAT\t" + upperRoot + "/\t1KB\t-\t" + stamp + "\t\t\n" + "2\tB.TXT\t" + upperRoot +
             "/\t2KB\t-\t" + stamp + "\t\t\n" + "3\tC.TXT\t" + upperRoot + "/SUB/\t3KB\t-\t" +
             stamp + "\t\t\n"},
    };
    for (const Case& c : cases) {
        const Outcome outcome = runLister(c.args);
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.err, "");
        EXPECT_EQ(outcome.out, c.expected);
    }
}

TEST_F(ListerEndToEnd, OptionsShapeTheRows) {
    tree.makeFolder("Sub");
    file("Sub/one.txt");
    file("two.dat");
    const std::string root = tree.root();
    struct Case {
        std::vector<std::string> args;
        std::string expected;
    };
    const Case cases[] = {
        {{"-l", "-p", "*.TXT", "-c", "1", root}, "1\tone.txt\t\t\t\t\t\t\n"},
        {{"--no-upper", "--columns=6,7", root},
         "1\t\t\t\t\t\t" + root + "/Sub/one.txt\tTXT\n2\t\t\t\t\t\t" + root + "/two.dat\tDAT\n"},
        {{"-U", "-c", "2", "-t", upper(root) + "/", root},
         "1\t\tSUB/\t\t\t\t\t\n2\t\t\t\t\t\t\t\n"},
        {{"-U", "-c", "2", "-t", root + "/", root},
         "1\t\t" + upper(root) + "/SUB/\t\t\t\t\t\n2\t\t" + upper(root) + "/\t\t\t\t\t\n"},
        {{"-U", "-n", "-c", "1", root + "/two.dat", root}, "1\tTWO.DAT\t\t\t\t\t\t\n"},
        {{"-l", "-p", "", "-c", "1", root}, "1\tone.txt\t\t\t\t\t\t\n2\ttwo.dat\t\t\t\t\t\t\n"},
        {{"-l", "--pattern= ;; ", "-c", "1", root},
         "1\tone.txt\t\t\t\t\t\t\n2\ttwo.dat\t\t\t\t\t\t\n"},
        {{"-U", "-c", "1,4", "-f", "csv", root}, "1,ONE.TXT,,,-,,,\n2,TWO.DAT,,,-,,,\n"},
        {{"-U", "-H", "-c", "1", "-p", "*.dat", root},
         "No.\tﾌｧｲﾙ名\tﾊﾟｽ名\tｻｲｽﾞ(KB)\tVer.\tﾀｲﾑｽﾀﾝﾌﾟ\tﾌﾙﾊﾟｽﾌｧｲﾙ名\t拡張子\n"
         "1\tTWO.DAT\t\t\t\t\t\t\n"},
        {{"-H", "-f", "csv", "-c", "all", "-l", "-p", "*.dat", root},
         "No.,ﾌｧｲﾙ名,ﾊﾟｽ名,ｻｲｽﾞ(KB),Ver.,ﾀｲﾑｽﾀﾝﾌﾟ,ﾌﾙﾊﾟｽﾌｧｲﾙ名,拡張子\n1,two.dat," + root +
             "/,1KB,-," + stamp + "," + root + "/two.dat,DAT\n"},
        {{"--header=en", "-z", "-c", "1", "-p", "*.dat", root},
         "No.\tFile name\tFolder\tSize (KB)\tVersion\tTime stamp\tFull path\tExtension\0"
         "1\ttwo.dat\t\t\t\t\t\t\0"s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.front());
        const Outcome outcome = runLister(c.args);
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_EQ(outcome.out, c.expected);
    }
}

TEST_F(ListerEndToEnd, NothingFoundExitsThreeWithTheMessage) {
    tree.makeFolder("empty");
    tree.makeFolder("full");
    file("full/a.txt");
    const std::vector<std::vector<std::string>> commandLines = {
        {tree.path("empty")},
        {"-n", tree.path("full")},
        {"-p", "*.doc", tree.path("full")},
    };
    for (const auto& args : commandLines) {
        const Outcome outcome = runLister(args);
        EXPECT_EQ(outcome.status, 3);
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(outcome.err, noFiles);
    }
}

TEST_F(ListerEndToEnd, PathsThatCannotBeReachedArePassedOverOrEndAStrictRun) {
    file("z.txt");
    file("a.txt");
    struct Case {
        std::string bad;
        std::string reason;
    };
    const Case cases[] = {
        {tree.path("missing"), "No such file or directory"},
        {"", "No such file or directory"},
        {tree.path("z.txt/inside"), "Not a directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bad);
        const Outcome strict = runLister({"--strict", "-U", "-c", "1", tree.path("z.txt"),
                                          tree.path("a.txt"), c.bad, tree.root()});
        EXPECT_EQ(strict.status, 2);
        EXPECT_EQ(strict.out, "\tZ.TXT\t\t\t\t\t\t\n\tA.TXT\t\t\t\t\t\t\n");
        EXPECT_EQ(strict.err, badTarget + "quiverel2000-list: '" + c.bad + "': " + c.reason + "\n");

        const Outcome goOn =
            runLister({"-c", "1", tree.path("z.txt"), c.bad, tree.path("a.txt"), tree.root()});
        EXPECT_EQ(goOn.status, 1);
        EXPECT_EQ(goOn.out, "1\ta.txt\t\t\t\t\t\t\n2\ta.txt\t\t\t\t\t\t\n3\tz.txt\t\t\t\t\t\t\n"
                            "4\tz.txt\t\t\t\t\t\t\n");
        EXPECT_EQ(goOn.err, "quiverel2000-list: '" + c.bad + "': " + c.reason + "; passed over\n");
    }
}

TEST_F(ListerEndToEnd, PathsFromAListAndTheCommandLineMakeOneListingPastWhatCannotBeRead) {
    ASSERT_EQ(::chmod(tree.root().c_str(), 0755), 0);
    tree.makeFolder("a");
    const std::string one = file("a/one.txt");
    const std::string top = file("top.txt");
    const std::string locked = tree.makeFolder("locked");
    file("locked/secret.txt");
    ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
    constexpr int listedTimes = 100000;
    std::string lines = top + "\n\n" + tree.path("missing") + "\n";
    for (int i = 0; i < listedTimes; ++i) {
        lines += one + "\n";
    }
    const std::string list = tree.makeFile("list", lines);
    const std::string nulList = tree.makeFile("nul-list", top + '\0' + '\0' + one);
    struct Case {
        std::vector<std::string> args;
        std::size_t rows;
        std::string lastRow; // number and name
    };
    const Case cases[] = {
        {{"-c", "1", "--files-from=" + list, tree.path("a")},
         listedTimes + 2,
         std::to_string(listedTimes + 2) + "\ttop.txt"},
        {{"-c", "1", "-0", "--files-from", nulList, tree.root()}, 6, "6\ttop.txt"},
    };
    for (const Case& c : cases) {
        const Outcome outcome = runLister(c.args, {}, {}, testing::dropPrivileges);
        ASSERT_NE(outcome.status, testing::childCannotRun) << "privileges cannot be dropped";
        std::vector<std::string> rows;
        std::istringstream output(outcome.out);
        for (std::string line; std::getline(output, line);) {
            rows.push_back(line);
        }
        ASSERT_EQ(rows.size(), c.rows);
        EXPECT_EQ(rows.back(), c.lastRow + "\t\t\t\t\t\t");
        EXPECT_EQ(outcome.status, 1);
    }
    const Outcome both = runLister({"-c", "1", "--files-from=" + list, tree.root()}, {}, {},
                                   testing::dropPrivileges);
    EXPECT_EQ(both.err, "quiverel2000-list: '" + tree.path("missing") +
                            "': No such file or directory; passed over\n"
                            "quiverel2000-list: '" +
                            locked + "': Permission denied; passed over\n");
    ASSERT_EQ(::chmod(locked.c_str(), 0755), 0);
}

TEST_F(ListerEndToEnd, FewDescriptorsStillListEveryRowAndVersion) {
    const std::string versioned =
        testing::readWholeFile(std::string(QUIVEREL_TEST_DATA) + "/pe/version-1.5.0.12.dll");
    ASSERT_FALSE(versioned.empty());
    constexpr int folders = 40;
    for (int i = 0; i < folders; ++i) {
        const std::string folder = "d" + std::to_string(i) + "/";
        tree.makeFolder(folder);
        for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
            file(folder + name);
        }
        for (const char* name : {"v.dll", "w.dll"}) {
            tree.makeFile(folder + name, versioned);
        }
    }
    // The lister keeps only its standard three descriptors; under a limit of 4 the fourth is the
    // only one left to list with.
    for (const rlim_t limit : {4, 5, 8}) {
        SCOPED_TRACE(limit);
        const Outcome outcome = runLister({"-U", "-c", "1,4", tree.root()}, {}, {}, [limit] {
            const rlimit few{limit, limit};
            return ::close_range(3, ~0U, 0) == 0 && ::setrlimit(RLIMIT_NOFILE, &few) == 0;
        });
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.err, "");
        std::map<std::string, int> rowsByCells;
        std::istringstream lines(outcome.out);
        for (std::string line; std::getline(lines, line);) {
            ++rowsByCells[line.substr(line.find('\t'))];
        }
        EXPECT_EQ(rowsByCells, (std::map<std::string, int>{
                                   {"\tA.TXT\t\t\t-\t\t\t", folders},
                                   {"\tB.TXT\t\t\t-\t\t\t", folders},
                                   {"\tC.TXT\t\t\t-\t\t\t", folders},
                                   {"\tV.DLL\t\t\t1.05.12\t\t\t", folders},
                                   {"\tW.DLL\t\t\t1.05.12\t\t\t", folders},
                               }));
    }
}

TEST_F(ListerEndToEnd, RelativePathsAreTakenFromTheWorkingDirectory) {
    tree.makeFolder("docs");
    file("docs/a.txt");
    const std::string expected = "1\t\t\t\t\t\t" + tree.root() + "/docs/a.txt\t\n";

    for (const char* relative : {"docs", "docs/", "./docs", "../", "docs/a.txt"}) {
        SCOPED_TRACE(relative);
        const std::string workingDirectory =
            std::string(relative) == "../" ? tree.path("docs") : tree.root();
        const Outcome outcome = runLister({"-l", "-c", "6", relative}, workingDirectory);
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_EQ(outcome.out, expected);
    }
}

TEST_F(ListerEndToEnd, DotDotAfterALinkLeadsWhereTheKernelTakesIt) {
    tree.makeFolder("real");
    tree.makeFolder("real/inner");
    file("real/target.txt", 3000);
    file("target.txt", 10); // where a lexical ".." would wrongly lead
    tree.makeLink("real/inner", "link");

    const Outcome outcome = runLister({"-c", "3", "link/../target.txt"}, tree.root());
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "1\t\t\t3KB\t\t\t\t\n");
}

TEST_F(ListerEndToEnd, CellsWithSeparatorsNeverBreakARow) {
    file("a,\"b\".txt");
    file("tab\tand\\back.txt");
    file("new\nline.txt");

    const Outcome tsv = runLister({"-l", "-c", "1", tree.root()});
    EXPECT_EQ(tsv.out, "1\ta,\"b\".txt\t\t\t\t\t\t\n"
                       "2\tnew\\nline.txt\t\t\t\t\t\t\n"
                       "3\ttab\\tand\\\\back.txt\t\t\t\t\t\t\n");

    const Outcome csv = runLister({"-l", "-c", "1", "-f", "csv", tree.root()});
    EXPECT_EQ(csv.out, "1,\"a,\"\"b\"\".txt\",,,,,,\n"
                       "2,\"new\nline.txt\",,,,,,\n"
                       "3,\"tab\tand\\back.txt\",,,,,,\n");
}

// Runs the lister with all three standard streams on a pseudo-terminal set raw, so the bytes
// read back are the bytes it wrote.
std::string runListerOnTerminal(std::vector<std::string> args) {
    args.insert(args.begin(), QUIVEREL_LISTER);
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    termios raw{};
    ::cfmakeraw(&raw);
    int terminal = -1;
    const pid_t child = ::forkpty(&terminal, nullptr, &raw, nullptr);
    if (child == 0) {
        ::setenv("TZ", "UTC0", 1);
        ::execv(QUIVEREL_LISTER, argv.data());
        ::_exit(127);
    }
    if (child < 0) {
        return "forkpty failed";
    }
    std::string out;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(terminal, buffer, sizeof buffer);
        if (got > 0) {
            out.append(buffer, static_cast<std::size_t>(got));
        } else if (got == 0 || errno != EINTR) {
            break; // EIO: the lister has closed its end
        }
    }
    ::close(terminal);
    int status = 0;
    ::waitpid(child, &status, 0);
    return out;
}

TEST_F(ListerEndToEnd, NamesNeverReachATerminalAsCommands) {
    file("bell\x07.txt");
    file("esc\x1b]0;title\x1b\\.txt");
    const std::string escapedRows = "1\tbell\\x07.txt\t\t\t\t\t\t\n"
                                    "2\tesc\\x1B]0;title\\x1B\\\\.txt\t\t\t\t\t\t\n";

    EXPECT_EQ(runLister({"-l", "-c", "1", tree.root()}).out, escapedRows);
    EXPECT_EQ(runListerOnTerminal({"-l", "-c", "1", tree.root()}), escapedRows);
    // In a file CSV keeps the cells exact; on a terminal they are escaped as in TSV.
    EXPECT_EQ(runLister({"-l", "-c", "1", "-f", "csv", tree.root()}).out,
              "1,\"bell\x07.txt\",,,,,,\n2,\"esc\x1b]0;title\x1b\\.txt\",,,,,,\n");
    EXPECT_EQ(runListerOnTerminal({"-l", "-c", "1", "-f", "csv", tree.root()}),
              "1,\"bell\\x07.txt\",,,,,,\n2,\"esc\\x1B]0;title\\x1B\\\\.txt\",,,,,,\n");

    const Outcome usage = runLister({"-f", "\x1b[2J", tree.root()});
    EXPECT_EQ(usage.status, 64);
    EXPECT_EQ(usage.err.substr(0, usage.err.find('\n')),
              "quiverel2000-list: invalid argument '\\x1B[2J' for '--format'");
}

TEST_F(ListerEndToEnd, UnwritableOutputExitsSeventyFour) {
    struct stat full {};
    if (::stat("/dev/full", &full) != 0) {
        GTEST_SKIP() << "no /dev/full";
    }
    file("a.txt");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{tree.root()}, std::vector<std::string>{"--version"}}) {
        const Outcome outcome = runLister(args, {}, "/dev/full");
        EXPECT_EQ(outcome.status, 74);
        EXPECT_NE(outcome.err.find("cannot write the output"), std::string::npos);
    }
}

} // namespace
} // namespace quiverel
