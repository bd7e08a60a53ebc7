// The lister as an inventory tool, run end to end on real trees: JSON Lines, exclusions, SHA-256
// and the progress line.

#include "support/ListerProcess.h"
#include "support/PosixTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <pty.h>
#include <sstream>
#include <sys/stat.h>
#include <tuple>

namespace quiverel {
namespace {

using testing::PosixTree;
using testing::runLister;
using testing::TempTree;
using Outcome = testing::ListerOutcome;

// Reads every JSON line, checks its typed facts against the file itself and against its own
// texts, and writes the row again as the lister's tsv would.
constexpr const char* jsonToTsv = R"(
import base64, datetime, json, os, sys
for line in open(sys.argv[1], encoding="utf-8"):
    row = json.loads(line)
    raw = base64.b64decode(row["path_base64"]) if "path_base64" in row else row["path"].encode()
    assert raw.decode("utf-8", "replace") == row["path"], row
    status = os.stat(raw)
    assert row["size"] == status.st_size, row
    stamp = datetime.datetime.fromtimestamp(int(status.st_mtime)).astimezone()
    assert row["modified"] == stamp.isoformat(), row
    numbers = row["version_numbers"]
    if numbers is not None:
        a, b, c, d = numbers
        assert row["version"] == "%d.%02d.%d" % (a, b, c << 16 | d), row
    m = row["modified"]
    time = m[0:4] + "/" + m[5:7] + "/" + m[8:10] + " " + m[11:16]
    print("\t".join([str(row["no"]), row["name"], row["folder"], row["size_text"],
                     row["version"], time, row["path"], row["extension"], row["sha256"]]))
)";

// The keys of the JSON lines of a file, sorted, one line each.
constexpr const char* jsonKeys = R"(
import json, sys
keys = set()
for line in open(sys.argv[1], encoding="utf-8"):
    keys |= json.loads(line).keys()
print(" ".join(sorted(keys)))
)";

std::string commandOutput(const std::string& command) {
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return output;
    }
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        output.append(buffer, got);
    }
    EXPECT_EQ(::pclose(pipe), 0) << command;
    return output;
}

// The output of a python3 script run on a file, in UTC like the lister.
std::string pythonOn(const TempTree& scratch, const char* script, const std::string& file) {
    const std::string scriptPath = scratch.makeFile("script.py", script);
    return commandOutput("TZ=UTC0 PYTHONIOENCODING=utf-8 python3 '" + scriptPath + "' '" + file +
                         "'");
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        result.push_back(line);
    }
    return result;
}

// Cell col (0 for the running number) of every line of tsv output.
std::vector<std::string> column(const std::string& tsv, std::size_t col) {
    std::vector<std::string> cells;
    for (const std::string& line : lines(tsv)) {
        std::istringstream stream(line);
        std::string cell;
        for (std::size_t k = 0; k <= col; ++k) {
            std::getline(stream, cell, '\t');
        }
        cells.push_back(cell);
    }
    return cells;
}

TEST(InventoryEndToEnd, JsonLinesCarryTheTsvRowsAndTheFilesTypedFacts) {
    TempTree tree;
    TempTree scratch;
    tree.makeFile("b.txt", std::string(3000, 'b'));
    tree.makeFile("A.dat");
    tree.makeFolder("sub");
    tree.makeFile("sub/v.DLL", testing::readWholeFile(std::string(QUIVEREL_TEST_DATA) +
                                                      "/pe/version-1.5.0.12.dll"));
    tree.makeFile("sub/junk.exe", "not a program");
    tree.makeFile("sub/bad\xff\xfename \"q\".txt", "x");
    const std::vector<std::string> args = {"-l", "--columns", "all", "--hash=sha256", tree.root()};

    const Outcome tsv = runLister(args);
    // JSON keeps the names' own letter case, upper case asked for or not.
    std::vector<std::string> jsonArgs = args;
    jsonArgs.front() = "--upper";
    jsonArgs.insert(jsonArgs.begin(), "--format=json");
    const std::string jsonPath = scratch.path("rows.json");
    const Outcome json = runLister(jsonArgs, {}, jsonPath);
    ASSERT_EQ(tsv.status, 0) << tsv.err;
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(lines(tsv.out).size(), 5U);
    EXPECT_EQ(pythonOn(scratch, jsonToTsv, jsonPath), tsv.out);

    // Columns not chosen leave their fields out; the hash is no column and stays.
    const std::string somePath = scratch.path("some.json");
    const Outcome some =
        runLister({"-f", "json", "-c", "2,3", "--hash=sha256", tree.root()}, {}, somePath);
    ASSERT_EQ(some.status, 0) << some.err;
    EXPECT_EQ(pythonOn(scratch, jsonKeys, somePath),
              "folder no path_base64 sha256 size size_text\n");

    // Rows listed before a failure come unnumbered, still as valid JSON.
    const std::string failedPath = scratch.path("failed.json");
    const Outcome failed = runLister(
        {"--strict", "-f", "json", "-c", "1", tree.root(), tree.path("gone")}, {}, failedPath);
    EXPECT_EQ(failed.status, 2);
    EXPECT_EQ(pythonOn(scratch, jsonKeys, failedPath), "name no path_base64\n");

    const Outcome full = runLister({"-f", "json", tree.root()}, {}, "/dev/full");
    EXPECT_EQ(full.status, 74);
}

TEST(InventoryEndToEnd, ExclusionsPassOverNamesInsideSearchedFoldersOnly) {
    TempTree tree;
    for (const char* folder : {"Build", "sub", "sub/build", "sub/deeper"}) {
        tree.makeFolder(folder);
    }
    tree.makeFile("keep.txt");
    tree.makeFile("Build/in.txt");
    tree.makeFile("sub/build/deep.txt");
    tree.makeFile("sub/BUILD.txt");
    tree.makeFile("sub/x.o");
    tree.makeFile("sub/deeper/y.O");
    const std::string root = tree.root();
    const std::string givenFile = tree.path("sub/x.o");
    const std::string givenFolder = tree.path("sub");
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> names; // sorted as listed
    };
    const Case cases[] = {
        {{"-x", "build", root}, {"BUILD.TXT", "KEEP.TXT", "X.O", "Y.O"}},
        {{"--exclude=*.o", root, givenFile},
         {"BUILD.TXT", "DEEP.TXT", "IN.TXT", "KEEP.TXT", "X.O"}},
        {{"-x", "BUILD", "-x", "*.O; keep*", root, givenFile}, {"BUILD.TXT", "X.O"}},
        {{"-x", "SUB", root, givenFolder},
         {"BUILD.TXT", "DEEP.TXT", "IN.TXT", "KEEP.TXT", "X.O", "Y.O"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.begin(), {"-U", "-c", "1"});
        const Outcome outcome = runLister(args);
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_EQ(column(outcome.out, 1), c.names) << c.args[1];
    }
}

TEST(InventoryEndToEnd, HashesAgreeWithSha256sumAndUnreadableFilesGetAnEmptyCell) {
    PosixTree tree;
    std::string large(3 * 1024 * 1024 + 5, '\0');
    for (std::size_t i = 0; i < large.size(); ++i) {
        large[i] = static_cast<char>((i * 2654435761U) >> 13);
    }
    tree.makeFolder("sub");
    const std::vector<std::string> files = {tree.makeFile("empty"), tree.makeFile("one", "1"),
                                            tree.makeFile("sub/large", large)};
    tree.makeLink("../one", "sub/link");
    const std::string fifo = tree.path("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    // Read even by root, the kernel refuses the first page of a process's memory.
    const Outcome outcome =
        runLister({"-l", "-c", "6", "--hash=sha256", tree.root(), fifo, "/proc/self/mem"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    std::vector<std::string> listed;
    const std::vector<std::string> paths = column(outcome.out, 6);
    const std::vector<std::string> hashes = column(outcome.out, 8);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        listed.push_back(hashes[i] + "  " + paths[i]);
    }
    std::sort(listed.begin(), listed.end());
    std::string command = "cd / && sha256sum";
    for (const std::string& file : files) {
        command += " '" + file + "'";
    }
    std::vector<std::string> expected = lines(commandOutput(command));
    expected.push_back(lines(commandOutput("sha256sum < '" + files[1] + "'"))[0].substr(0, 64) +
                       "  " + tree.path("sub/link"));
    expected.push_back("  " + fifo);
    expected.push_back("  /proc/self/mem");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(listed, expected);
}

// The lister run on a pseudo-terminal, its output thrown away; with errToPipe, its standard
// error goes to a pipe instead. Several may run at once.
class TerminalRun {
public:
    TerminalRun(std::vector<std::string> args, bool errToPipe) {
        args.insert(args.begin(), QUIVEREL_LISTER);
        std::vector<char*> argv;
        for (std::string& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        int pipeFds[2];
        if (::pipe(pipeFds) != 0) {
            return;
        }
        m_child = ::forkpty(&m_terminal, nullptr, nullptr, nullptr);
        if (m_child == 0) {
            const int devNull = ::open("/dev/null", O_WRONLY);
            if (devNull < 0 || ::dup2(devNull, 1) < 0 || (errToPipe && ::dup2(pipeFds[1], 2) < 0)) {
                ::_exit(126);
            }
            ::execv(QUIVEREL_LISTER, argv.data());
            ::_exit(127);
        }
        ::close(pipeFds[1]);
        m_pipe = pipeFds[0];
    }

    // Waits for the lister's end: its exit status, what it wrote to its terminal and to the
    // pipe.
    std::tuple<int, std::string, std::string> finish() {
        std::string terminal = readAll(m_terminal); // fails once the child has gone
        std::string pipe = readAll(m_pipe);
        int status = 0;
        if (m_child < 0 || ::waitpid(m_child, &status, 0) != m_child || !WIFEXITED(status)) {
            return {-1, terminal, pipe};
        }
        return {WEXITSTATUS(status), terminal, pipe};
    }

private:
    static std::string readAll(int fd) {
        std::string text;
        char buffer[4096];
        ssize_t got = 0;
        while (fd >= 0 && (got = ::read(fd, buffer, sizeof buffer)) > 0) {
            text.append(buffer, static_cast<std::size_t>(got));
        }
        if (fd >= 0) {
            ::close(fd);
        }
        return text;
    }

    pid_t m_child = -1;
    int m_terminal = -1;
    int m_pipe = -1;
};

TEST(InventoryEndToEnd, ProgressLineOnlyOnATerminalAndNotWhenQuiet) {
    TempTree tree;
    tree.makeFolder("sub");
    tree.makeFile("a.txt");
    tree.makeFile("sub/b.txt");
    // Hashing three gigabytes (a sparse file, read as zeros) keeps the listing going well past
    // a second on any machine.
    const std::string big = tree.makeFile("big");
    ASSERT_EQ(::truncate(big.c_str(), 3LL << 30), 0);
    const std::vector<std::string> args = {"-c", "1", "--hash=sha256", tree.root()};
    std::vector<std::string> quietArgs = args;
    quietArgs.insert(quietArgs.begin(), "--quiet");

    TerminalRun shownRun(args, false);
    TerminalRun quietRun(quietArgs, false);
    TerminalRun pipedRun(args, true);
    const auto [shownStatus, shown, shownPipe] = shownRun.finish();
    EXPECT_EQ(shownStatus, 0);
    EXPECT_TRUE(shown.starts_with("\r3 files\u2026\x1b[K")) << shown;
    EXPECT_TRUE(shown.ends_with("\r\x1b[K")) << shown;

    for (TerminalRun* run : {&quietRun, &pipedRun}) {
        const auto [status, terminal, pipe] = run->finish();
        EXPECT_EQ(status, 0);
        EXPECT_EQ(terminal, "");
        EXPECT_EQ(pipe, "");
    }
}

} // namespace
} // namespace quiverel
