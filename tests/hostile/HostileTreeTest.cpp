// The batch listing on a tree that holds what a user's disk can throw at it (made once per run:
// one folder of it alone holds 100,000 files).

#include "window/BatchListing.h"

#include "generated/ProgramInfo.h"
#include "grid/GridModel.h"
#include "listing/ListingTexts.h"
#include "settings/Options.h"
#include "support/ChildProcess.h"
#include "support/FakePlatform.h"
#include "support/HostileTreeSuite.h"
#include "support/ZoneGuard.h"
#include "window/DataSet_RowMidashi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/resource.h>

namespace quiverel {
namespace {

using namespace quiverel::testing;
using Outcome = BatchResult::Outcome;

// The cells of columns 1 to 7 of one data row.
using Row = std::vector<std::string>;

// The row of the file `name` listed from `folder` (its display text, ending in "/").
Row row(const std::string& folder, const std::string& name, const std::string& size = "1KB",
        const std::string& version = "-", const std::string& stamp = fixedStamp,
        const std::string& extension = "TXT") {
    return {name, folder, size, version, stamp, folder + name, extension};
}

// How a batch ended and what it left in the grid.
struct Expectation {
    std::string item;
    std::vector<std::string> dropped; // entries 1 to n of the FileTable
    bool upper;                       // the upper-case option
    Outcome outcome;
    const char* message;   // the message shown, if any
    std::vector<Row> rows; // sorted and numbered, or as written when the batch failed
    long long found;       // files found, those skipped on the way included
    std::string failedPath = {};
    std::string reason = {};
};

class HostileTreeTest : public HostileTreeSuite {
protected:
    void SetUp() override {
        HostileTreeSuite::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        // A file is found with the rest of its folder, then taken away while the search goes
        // on below it: each descent into a sub-folder lets events run, and so do we.
        pump.onPump = [] {
            ::unlink(tree().path(vanishingFile).c_str());
        };
        DataSet_RowMidashi(grid);
    }

    BatchResult run(const std::vector<std::string>& dropped, bool upper) {
        FileTable fileTable{std::string()};
        fileTable.insert(fileTable.end(), dropped.begin(), dropped.end());
        messages.shown.clear();
        return batch.DataSet_AllRow(grid, fileTable, options.OptTrim, upper);
    }

    std::vector<Row> rows() const {
        std::vector<Row> all;
        for (std::int32_t r = 1; r < grid.Rows(); ++r) {
            Row cells;
            for (std::int32_t col = 1; col <= 7; ++col) {
                cells.emplace_back(grid.TextMatrix(r, col));
            }
            all.push_back(std::move(cells));
        }
        return all;
    }

    std::vector<std::string> numbers() const {
        std::vector<std::string> texts;
        for (std::int32_t r = 1; r < grid.Rows(); ++r) {
            texts.emplace_back(grid.TextMatrix(r, 0));
        }
        return texts;
    }

    static std::vector<Row> deepRows() { return {row(tree().deepest() + "/", "bottom.txt")}; }

    static std::vector<Row> manyRows() {
        std::vector<Row> expected;
        for (int i = 0; i < manyFiles; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "n%06d.txt", i);
            expected.push_back(row(folder("many"), name));
        }
        return expected;
    }

    static std::vector<Row> nameRows(bool upper) {
        const auto shown = [upper](const std::string& text) {
            return upper ? upperAscii(text) : text;
        };
        std::vector<Row> expected;
        for (const HostileName& name : hostileNames()) {
            expected.push_back(row(shown(folder("names")), shown(name.display), "1KB", "-",
                                   fixedStamp, name.extension));
        }
        return expected;
    }

    static Row hugeRow() {
        return row(folder("sparse"), "huge.dll", "5,242,881KB", "", fixedStamp, "DLL");
    }

    static std::vector<Row> stampRows(const std::string& listedFrom) {
        std::vector<Row> expected;
        for (const StampedFile& stamped : stampedFiles) {
            expected.push_back(
                row(listedFrom, stamped.name, "1KB", "-", tree().listedStamp(stamped)));
        }
        return expected;
    }

    ZoneGuard zone{"UTC0"};
    Options options;
    FakeEventPump pump;
    FakeMessageBox messages;
    GridModel grid;
    BatchListing batch{options,
                       [] { return ColumnFlags{true, true, true, true, true, true, true}; }, pump,
                       messages};
};

// Compares row by row and names the first difference, so that 100,000 rows stay readable.
void expectRows(const std::vector<Row>& actual, const std::vector<Row>& expected) {
    EXPECT_EQ(actual.size(), expected.size());
    const auto [got, wanted] =
        std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    if (got != actual.end() && wanted != expected.end()) {
        ADD_FAILURE() << "row " << (got - actual.begin()) + 1 << " is "
                      << ::testing::PrintToString(*got) << "\ninstead of "
                      << ::testing::PrintToString(*wanted);
    }
}

std::vector<std::string> runningNumbers(std::size_t count) {
    std::vector<std::string> texts;
    for (std::size_t i = 1; i <= count; ++i) {
        texts.push_back(std::to_string(i));
    }
    return texts;
}

TEST_F(HostileTreeTest, EveryEntryHasItsStatedOutcome) {
    const Row tabRow = row(folder("names"), "tab\tname.txt");
    const Row year9999Row = stampRows(folder("stamps"))[2];
    const Expectation table[] = {
        {"a folder holding links to itself, to its parent, to / and one that points at itself",
         {path("loop")},
         false,
         Outcome::Listed,
         nullptr,
         {row(folder("loop"), "inside.txt")},
         1},
        {"the same folder reached through its link to itself",
         {path("loop/here")},
         false,
         Outcome::Listed,
         nullptr,
         {row(folder("loop/here"), "inside.txt")},
         1},
        {"a link to itself, dropped",
         {path("loop/self")},
         false,
         Outcome::Failed,
         texts::badTarget,
         {},
         0,
         path("loop/self"),
         std::strerror(ELOOP)},
        {"2,000 levels deep", {path("deep")}, false, Outcome::Listed, nullptr, deepRows(), 1},
        {"100,000 files in one folder",
         {path("many")},
         false,
         Outcome::Listed,
         nullptr,
         manyRows(),
         manyFiles},
        {"names with invalid UTF-8, tab, line break, backslash, quotes, blanks, kana and kanji",
         {path("names")},
         false,
         Outcome::Listed,
         nullptr,
         nameRows(false),
         7},
        {"the same names upper-cased: only the letters a to z change",
         {path("names")},
         true,
         Outcome::Listed,
         nullptr,
         nameRows(true),
         7},
        {"a folder named with a byte that is never UTF-8 and a line break",
         {path(oddFolderNative)},
         false,
         Outcome::Listed,
         nullptr,
         {row(folder(oddFolderDisplay), "inner.txt")},
         1},
        {"a FIFO named x.exe, dropped: listed, never opened, no version",
         {path("names/x.exe")},
         false,
         Outcome::Listed,
         nullptr,
         {row(folder("names"), "x.exe", "1KB", "", fixedStamp, "EXE")},
         1},
        {"a 5 GiB sparse DLL", {path("sparse")}, false, Outcome::Listed, nullptr, {hugeRow()}, 1},
        {"time stamps before 1970, after 2038 and in the year 9999",
         {path("stamps")},
         false,
         Outcome::Listed,
         nullptr,
         stampRows(folder("stamps")),
         3},
        {"a dropped link to a folder: listed under the link's path",
         {path("stamps-link")},
         false,
         Outcome::Listed,
         nullptr,
         stampRows(folder("stamps-link")),
         3},
        {"a folder with a trailing separator",
         {path("stamps/")},
         false,
         Outcome::Listed,
         nullptr,
         stampRows(folder("stamps")),
         3},
        {"a folder with two trailing separators",
         {path("stamps//")},
         false,
         Outcome::Listed,
         nullptr,
         stampRows(folder("stamps")),
         3},
        {"a file removed between the search and its analysis: skipped, nothing else lost",
         {path("vanish")},
         false,
         Outcome::Listed,
         nullptr,
         {row(folder("vanish/sub"), "kept.txt"), row(folder("vanish"), "stays.txt")},
         3},
        {"an empty piece ends the batch; the rows before stay as written",
         {path("stamps/year-9999.txt"), path("names/tab\tname.txt"), "", path("many")},
         false,
         Outcome::Failed,
         texts::badTarget,
         {year9999Row, tabRow},
         2,
         "",
         std::strerror(ENOENT)},
        {"a path that does not exist ends the batch",
         {path("sparse/huge.dll"), path("missing")},
         false,
         Outcome::Failed,
         texts::badTarget,
         {hugeRow()},
         1,
         path("missing"),
         std::strerror(ENOENT)},
    };
    for (const Expectation& expected : table) {
        SCOPED_TRACE(expected.item);
        tree().restoreVanishingFile();
        const BatchResult result = run(expected.dropped, expected.upper);
        EXPECT_EQ(result.outcome, expected.outcome);
        expectRows(rows(), expected.rows);
        EXPECT_EQ(result.listing.rows, static_cast<std::int32_t>(expected.rows.size()));
        EXPECT_EQ(numbers(), expected.outcome == Outcome::Listed
                                 ? runningNumbers(expected.rows.size())
                                 : std::vector<std::string>(expected.rows.size()));
        std::vector<ShownMessage> shown;
        if (expected.message != nullptr) {
            shown.push_back({expected.message, program::title});
        }
        EXPECT_EQ(messages.shown, shown);
        EXPECT_EQ(batch.filesFound(), expected.found);
        EXPECT_EQ(result.listing.failedPath, expected.failedPath);
        EXPECT_EQ(result.listing.reason, expected.reason);
    }
}

TEST_F(HostileTreeTest, WholeTreeListsEveryFileOnce) {
    std::vector<Row> expected = {
        row(folder("loop"), "inside.txt"),     hugeRow(),
        row(folder("vanish/sub"), "kept.txt"), row(folder("vanish"), "stays.txt"),
        row(folder("locked"), "secret.txt"),   row(folder(oddFolderDisplay), "inner.txt")};
    for (const auto& part :
         {deepRows(), manyRows(), nameRows(false), stampRows(folder("stamps"))}) {
        expected.insert(expected.end(), part.begin(), part.end());
    }

    const BatchResult result = run({tree().root()}, false);

    EXPECT_EQ(result.outcome, Outcome::Listed);
    EXPECT_TRUE(messages.shown.empty());
    std::vector<Row> listed = rows();
    EXPECT_EQ(numbers(), runningNumbers(expected.size()));
    EXPECT_TRUE(std::is_sorted(listed.begin(), listed.end(), [](const Row& a, const Row& b) {
        return upperAscii(a[0]) < upperAscii(b[0]);
    })) << "rows are ordered by file name, letter case folded";
    const auto byFullPath = [](const Row& a, const Row& b) {
        return a[5] < b[5];
    };
    std::sort(listed.begin(), listed.end(), byFullPath);
    std::sort(expected.begin(), expected.end(), byFullPath);
    expectRows(listed, expected);
}

TEST_F(HostileTreeTest, DeepTreeListsWithFewDescriptors) {
    const int outcome = runInChild([&] {
        const rlimit fewDescriptors{32, 32};
        if (::setrlimit(RLIMIT_NOFILE, &fewDescriptors) != 0) {
            return childCannotRun;
        }
        const BatchResult result = run({path("deep")}, false);
        return result.outcome == Outcome::Listed && rows() == deepRows() ? 0 : 4;
    });
    ASSERT_NE(outcome, childCannotRun);
    EXPECT_EQ(outcome, 0);
}

TEST_F(HostileTreeTest, UnreadableFolderEndsTheBatchAndKeepsEarlierRows) {
    // Root reads every folder, so the batch runs in a child that gives up its rights.
    const std::string locked = path("locked");
    const std::vector<std::string> dropped = {path("sparse/huge.dll"),
                                              path("names/back\\slash.txt"), tree().root()};
    const std::vector<Row> written = {hugeRow(), row(folder("names"), "back\\slash.txt")};
    const LockedFolder lock(locked);
    const int outcome = runInChild([&] {
        if (!dropPrivileges()) {
            return childCannotRun;
        }
        const BatchResult result = run(dropped, false);
        if (result.outcome != Outcome::Failed ||
            messages.shown != std::vector<ShownMessage>{{texts::badTarget, program::title}}) {
            return 4;
        }
        if (result.listing.failedPath != locked || result.listing.reason != std::strerror(EACCES)) {
            return 5;
        }
        return rows() == written && numbers() == std::vector<std::string>(2) ? 0 : 6;
    });
    if (outcome == childCannotRun) {
        GTEST_SKIP() << "privileges cannot be dropped here";
    }
    EXPECT_EQ(outcome, 0)
        << "4: wrong outcome or message, 5: wrong path or reason, 6: rows not kept as written";
}

} // namespace
} // namespace quiverel
