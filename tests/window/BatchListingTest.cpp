#include "window/BatchListing.h"

#include "grid/GridModel.h"
#include "grid/GridObserver.h"
#include "listing/ListingOutcome.h"
#include "listing/ListingTexts.h"
#include "settings/Options.h"
#include "support/ChildProcess.h"
#include "support/FakePlatform.h"
#include "support/PosixTree.h"
#include "window/DataSet_RowMidashi.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <new>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quiverel {
namespace {

using testing::FakeEventPump;
using testing::FakeMessageBox;
using testing::ShownMessage;
using Outcome = BatchResult::Outcome;

class BatchListingTest : public ::testing::Test {
protected:
    BatchListingTest() { DataSet_RowMidashi(grid); }

    BatchResult run(const std::vector<std::string>& entries, bool flgOmoji = false) {
        FileTable fileTable{std::string()};
        fileTable.insert(fileTable.end(), entries.begin(), entries.end());
        return batch.DataSet_AllRow(grid, fileTable, options.OptTrim, flgOmoji);
    }

    // The texts of column col in the data rows, top to bottom.
    std::vector<std::string> column(std::int32_t col) const {
        std::vector<std::string> texts;
        for (std::int32_t row = 1; row < grid.Rows(); ++row) {
            texts.emplace_back(grid.TextMatrix(row, col));
        }
        return texts;
    }

    // Creates the file with the folders leading to it; returns its path.
    std::string file(const std::string& relative) const {
        std::filesystem::create_directories(
            std::filesystem::path(tree.path(relative)).parent_path());
        return tree.makeFile(relative, "content");
    }

    std::vector<std::string> numbers(std::size_t count) const {
        std::vector<std::string> texts;
        for (std::size_t i = 1; i <= count; ++i) {
            texts.push_back(std::to_string(i));
        }
        return texts;
    }

    testing::PosixTree tree;
    Options options;
    ColumnFlags flags{true, true, true, true, true, true, true};
    int checkBoxReads = 0;
    FakeEventPump pump;
    FakeMessageBox messages;
    GridModel grid;
    BatchListing batch{options,
                       [this] {
                           ++checkBoxReads;
                           return flags;
                       },
                       pump, messages};
};

const ShownMessage noFiles{texts::noFilesFound, "Quiverel2000"};
const ShownMessage badTarget{texts::badTarget, "Quiverel2000"};

TEST_F(BatchListingTest, EmptyResultsShowTheNoFilesMessage) {
    file("full/a.txt");
    tree.makeFolder("empty");
    file("other/a.bin");
    struct Case {
        const char* name;
        std::int16_t optFolder;
        std::string pattern;
        std::vector<std::string> entries;
    };
    const Case cases[] = {
        {"folders while folders are off", 0, "*.*", {tree.path("full"), tree.path("other")}},
        {"folders while OptFolder is 2", 2, "*.*", {tree.path("full")}},
        {"an empty folder", 1, "*.*", {tree.path("empty")}},
        {"a folder with no match", 1, "*.doc", {tree.path("full"), tree.path("other")}},
        {"no entry at all", 1, "*.*", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        options.OptFolder = c.optFolder;
        options.OptFindFiles = c.pattern;
        messages.shown.clear();
        const BatchResult result = run(c.entries);
        EXPECT_EQ(result.outcome, Outcome::NothingFound);
        EXPECT_EQ(result.listing.rows, 0);
        EXPECT_EQ(grid.Rows(), 1);
        EXPECT_EQ(messages.shown, std::vector<ShownMessage>{noFiles});
    }
}

TEST_F(BatchListingTest, PatternFiltersFoldersButNeverDroppedFiles) {
    options.OptFindFiles = "*.txt";
    file("dir/keep.txt");
    file("dir/skip.bin");
    const std::string dropped = file("other/dropped.bin");

    const BatchResult result = run({tree.path("dir"), dropped});

    EXPECT_EQ(result.outcome, Outcome::Listed);
    EXPECT_EQ(result.listing.rows, 2);
    EXPECT_EQ(column(1), (std::vector<std::string>{"dropped.bin", "keep.txt"}));
    EXPECT_EQ(column(0), numbers(2));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(BatchListingTest, EachBatchReplacesThePreviousListingBelowTheHeading) {
    const std::string first = file("a.txt");
    const std::string second = file("b.txt");
    run({first, second});
    ASSERT_EQ(grid.Rows(), 3);

    run({second});

    EXPECT_EQ(column(1), std::vector<std::string>{"b.txt"});
    for (std::int32_t col = 0; col < 8; ++col) {
        EXPECT_EQ(grid.TextMatrix(0, col), texts::columnHeadings[col]);
    }
}

TEST_F(BatchListingTest, SortsAcrossEntriesKeepingEqualNamesInSearchOrder) {
    file("one/b.txt");
    file("one/Same.txt");
    file("one/sub/a.txt");
    file("two/same.txt");
    file("two/C.txt");
    const std::string zed = file("zed.txt");

    const BatchResult result = run({zed, tree.path("one"), tree.path("two")});

    EXPECT_EQ(result.outcome, Outcome::Listed);
    EXPECT_EQ(column(1), (std::vector<std::string>{"a.txt", "b.txt", "C.txt", "Same.txt",
                                                   "same.txt", "zed.txt"}));
    EXPECT_EQ(grid.TextMatrix(4, 6), tree.path("one/Same.txt"));
    EXPECT_EQ(grid.TextMatrix(5, 6), tree.path("two/same.txt"));
    EXPECT_EQ(column(0), numbers(6));
    EXPECT_EQ(grid.Row(), 6);
    EXPECT_EQ(grid.Col(), 0);
}

TEST_F(BatchListingTest, FailurePartWayKeepsEarlierRowsUnsortedAndUnnumbered) {
    const std::string zed = file("z.txt");
    const std::string ant = file("a.txt");
    struct Case {
        const char* name;
        std::string bad;
    };
    const Case cases[] = {
        {"a missing path", tree.path("missing")},
        {"an empty entry", ""},
        {"a path through a file", zed + "/inside"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.shown.clear();
        const BatchResult result = run({zed, ant, c.bad, tree.path("never")});

        EXPECT_EQ(result.outcome, Outcome::Failed);
        EXPECT_EQ(result.listing.rows, 2);
        EXPECT_EQ(result.listing.failedPath, c.bad);
        EXPECT_FALSE(result.listing.reason.empty());
        EXPECT_EQ(column(1), (std::vector<std::string>{"z.txt", "a.txt"}));
        EXPECT_EQ(column(0), (std::vector<std::string>{"", ""}));
        EXPECT_EQ(messages.shown, std::vector<ShownMessage>{badTarget});
    }
}

TEST_F(BatchListingTest, FolderGoneDuringTheSearchEndsTheBatchWithoutAnyOfItsRows) {
    const std::string zed = file("z.txt");
    file("dir/a/one.txt");
    file("dir/b/two.txt");
    file("dir/own.txt");
    // The files of dir/a are already found, and being analysed, when dir/b goes.
    pump.onPump = [this] {
        if (pump.calls == 2) {
            std::filesystem::remove_all(tree.path("dir/b"));
        }
    };

    const BatchResult result = run({zed, tree.path("dir")});

    EXPECT_EQ(result.outcome, Outcome::Failed);
    EXPECT_EQ(result.listing.failedPath, tree.path("dir/b"));
    EXPECT_EQ(result.listing.rows, 1);
    EXPECT_EQ(column(1), std::vector<std::string>{"z.txt"});
    EXPECT_EQ(column(0), std::vector<std::string>{""});
    EXPECT_EQ(messages.shown, std::vector<ShownMessage>{badTarget});
}

TEST_F(BatchListingTest, FailureNamesThePathAsGivenWithTheSystemReason) {
    const BatchResult result = run({tree.path("missing")}, true);
    EXPECT_EQ(result.listing.failedPath, tree.path("missing"));
    EXPECT_EQ(result.listing.reason, std::strerror(ENOENT));
}

TEST_F(BatchListingTest, ShortOfDescriptorsOrMemoryEndsTheBatchWithTheReason) {
    const std::string ant = file("a.txt");
    const std::string dll = file("v.dll");
    file("dir/sub/x.txt");
    struct Case {
        const char* name;
        std::vector<std::string> dropped;
        std::string failedPath;
        std::string reason;
        bool noDescriptorLeft;
    };
    const Case cases[] = {
        {"no descriptor left to read a version",
         {ant, dll, file("z.txt")},
         dll,
         std::strerror(EMFILE),
         true},
        {"no memory left while the search goes on",
         {ant, tree.path("dir")},
         tree.path("dir"),
         "out of memory",
         false},
    };
    pump.onPump = [] {
        throw std::bad_alloc();
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // In a child, so that the descriptors can run out: all from the lowest free one on are
        // refused.
        const int outcome = testing::runInChild([&] {
            const int lowestFree = ::dup(0);
            ::close(lowestFree);
            const rlimit none{static_cast<rlim_t>(lowestFree), static_cast<rlim_t>(lowestFree)};
            if (c.noDescriptorLeft && (lowestFree < 0 || ::setrlimit(RLIMIT_NOFILE, &none) != 0)) {
                return testing::childCannotRun;
            }
            const BatchResult result = run(c.dropped);
            if (result.outcome != Outcome::Failed || result.listing.failedPath != c.failedPath) {
                return 4;
            }
            if (result.listing.reason != c.reason) {
                return 5;
            }
            return column(1) == std::vector<std::string>{"a.txt"} &&
                           column(0) == std::vector<std::string>{""}
                       ? 0
                       : 6;
        });
        ASSERT_NE(outcome, testing::childCannotRun);
        EXPECT_EQ(outcome, 0) << "4: not failed, or not at the path; 5: wrong reason; 6: the row "
                                 "listed before is not kept as written";
    }
}

TEST_F(BatchListingTest, UnusablePatternLeavesThePreviousListingUntouched) {
    file("dir/b.txt");
    file("dir/a.txt");
    run({tree.path("dir")});
    const std::vector<std::string> before = column(1);
    ASSERT_EQ(before.size(), 2u);
    messages.shown.clear();

    for (const char* pattern : {"sub/*.txt", " ; /", "*.txt;a/b"}) {
        SCOPED_TRACE(pattern);
        options.OptFindFiles = pattern;
        const BatchResult result = run({tree.path("dir")});
        EXPECT_EQ(result.outcome, Outcome::Failed);
        EXPECT_EQ(column(1), before);
        EXPECT_EQ(column(0), numbers(2));
    }
    EXPECT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown.front(), badTarget);
}

TEST_F(BatchListingTest, UpperCaseOptionChangesTheTextsNotTheFilesQueried) {
    file("Mixed/Sub/file.Txt");
    const std::string dropped = file("Mixed/dropped.txt");

    run({tree.path("Mixed"), dropped}, true);

    const std::string upperRoot = [&] {
        std::string root = tree.path("");
        for (char& c : root) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        return root;
    }();
    EXPECT_EQ(column(1), (std::vector<std::string>{"DROPPED.TXT", "DROPPED.TXT", "FILE.TXT"}));
    EXPECT_EQ(grid.TextMatrix(3, 2), upperRoot + "MIXED/SUB/");
    EXPECT_EQ(grid.TextMatrix(3, 6), upperRoot + "MIXED/SUB/FILE.TXT");
    EXPECT_EQ(grid.TextMatrix(3, 7), "TXT");
}

TEST_F(BatchListingTest, DroppedLinkToAFolderIsSearchedLikeTheFolder) {
    file("real/inside.txt");
    tree.makeLink(tree.path("real"), "link");

    run({tree.path("link")});

    EXPECT_EQ(column(6), std::vector<std::string>{tree.path("link/inside.txt")});
}

TEST_F(BatchListingTest, CheckBoxesAreSampledOnceWhileOptFolderIsReadAtEachFolder) {
    file("first/sub1/a.txt");
    file("first/sub2/b.txt");
    file("second/c.txt");
    pump.onPump = [this] {
        flags.fill(false);
        options.OptFolder = 0;
    };

    const BatchResult result = run({tree.path("first"), tree.path("second")});

    EXPECT_EQ(checkBoxReads, 1);
    EXPECT_EQ(result.listing.rows, 2);
    EXPECT_EQ(column(1), (std::vector<std::string>{"a.txt", "b.txt"}));
    EXPECT_EQ(column(7), (std::vector<std::string>{"TXT", "TXT"}));
}

TEST_F(BatchListingTest, TrimIsReadAtEachRow) {
    const std::string first = file("a/one.txt");
    file("b/sub/two.txt");
    pump.onPump = [this] {
        options.OptTrim = tree.path("");
    };

    run({first, tree.path("b")});

    EXPECT_EQ(column(2), (std::vector<std::string>{tree.path("a/"), "b/sub/"}));
}

TEST_F(BatchListingTest, CancelStopsTheSearchAndStillSortsAndNumbers) {
    const std::string zed = file("z.txt");
    const std::string ant = file("a.txt");
    file("big/s1/f1.txt");
    file("big/s2/f2.txt");
    file("big/s3/f3.txt");
    file("big/own.txt");
    const std::string last = file("last.txt");
    // The cancel button is clicked while the search is in its second sub-folder.
    pump.onPump = [this] {
        if (pump.calls == 2) {
            batch.cancel();
        }
    };

    const BatchResult result = run({zed, ant, tree.path("big"), last});

    EXPECT_EQ(pump.calls, 2);
    EXPECT_EQ(result.listing.kind, ListingOutcome::Kind::Cancelled);
    EXPECT_EQ(result.outcome, Outcome::Listed);
    EXPECT_EQ(result.listing.rows, 2);
    EXPECT_EQ(column(1), (std::vector<std::string>{"a.txt", "z.txt"}));
    EXPECT_EQ(column(0), numbers(2));
    EXPECT_TRUE(messages.shown.empty());

    pump.onPump = nullptr;
    const BatchResult next = run({last});
    EXPECT_NE(next.listing.kind, ListingOutcome::Kind::Cancelled);
    EXPECT_EQ(column(1), std::vector<std::string>{"last.txt"});
}

// Clicks the cancel button once the grid holds a given number of data rows.
class CancelAtRows : public GridObserver {
public:
    CancelAtRows(BatchListing& batch, const GridModel& grid, std::int32_t rows)
        : m_batch(batch), m_grid(grid), m_rows(rows) {}
    void gridShapeChanged(std::int32_t, std::int32_t) override {
        if (m_grid.Rows() - 1 == m_rows) {
            m_batch.cancel();
        }
    }
    void gridCellsChanged(std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {}
    void gridColumnFormatChanged(std::int32_t) override {}
    void gridSelectionChanged() override {}
    void gridRedrawChanged(bool) override {}

private:
    BatchListing& m_batch;
    const GridModel& m_grid;
    std::int32_t m_rows;
};

TEST_F(BatchListingTest, CancelWhileRowsAreWrittenKeepsThoseWrittenSortedAndNumbered) {
    // Enough files that they are still being analysed when the rows are cancelled.
    tree.makeFolder("big");
    for (const char* folder : {"big/one", "big/two"}) {
        tree.makeFolder(folder);
        for (int i = 0; i < 600; ++i) {
            tree.makeFile(std::string(folder) + "/" + std::to_string(i) + ".txt");
        }
    }
    CancelAtRows observer(batch, grid, 10);
    grid.setObserver(&observer);

    const BatchResult result = run({tree.path("big")});

    grid.setObserver(nullptr);
    EXPECT_EQ(result.listing.kind, ListingOutcome::Kind::Cancelled);
    EXPECT_EQ(result.outcome, Outcome::Listed);
    EXPECT_EQ(result.listing.rows, 10);
    // The first ten files of big/one in name order, now sorted by name.
    EXPECT_EQ(column(1),
              (std::vector<std::string>{"0.txt", "1.txt", "10.txt", "100.txt", "101.txt", "102.txt",
                                        "103.txt", "104.txt", "105.txt", "106.txt"}));
    EXPECT_EQ(column(0), numbers(10));
}

TEST_F(BatchListingTest, SecondBatchWhileOneRunsIsRefused) {
    file("dir/s1/a.txt");
    file("dir/s2/b.txt");
    const std::string other = file("other.txt");
    std::vector<BatchResult> inner;
    std::vector<bool> running;
    std::vector<long long> progress;
    pump.onPump = [&] {
        running.push_back(batch.isRunning());
        progress.push_back(batch.filesFound());
        const std::int32_t rowsBefore = grid.Rows();
        inner.push_back(run({other}));
        EXPECT_EQ(grid.Rows(), rowsBefore);
    };

    const BatchResult outer = run({tree.path("dir")});

    ASSERT_EQ(inner.size(), 2u);
    EXPECT_EQ(inner[0].outcome, Outcome::Refused);
    EXPECT_EQ(inner[1].outcome, Outcome::Refused);
    EXPECT_EQ(running, (std::vector<bool>{true, true}));
    EXPECT_EQ(progress, (std::vector<long long>{0, 1}));
    EXPECT_EQ(outer.outcome, Outcome::Listed);
    EXPECT_EQ(column(1), (std::vector<std::string>{"a.txt", "b.txt"}));
    EXPECT_FALSE(batch.isRunning());
    EXPECT_EQ(batch.filesFound(), 2);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(BatchListingTest, DroppedFifoIsListedWithoutBeingRead) {
    const std::string fifo = tree.path("pipe.dll");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Holding both ends with data waiting: a reader would neither block nor go unnoticed.
    const int fd = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    const std::string waiting = "MZ waiting bytes";
    ASSERT_EQ(::write(fd, waiting.data(), waiting.size()), static_cast<ssize_t>(waiting.size()));

    const BatchResult result = run({fifo});

    char buffer[64];
    EXPECT_EQ(::read(fd, buffer, sizeof buffer), static_cast<ssize_t>(waiting.size()));
    ::close(fd);
    EXPECT_EQ(result.outcome, Outcome::Listed);
    EXPECT_EQ(column(1), std::vector<std::string>{"pipe.dll"});
    EXPECT_EQ(column(4), std::vector<std::string>{""});
}

} // namespace
} // namespace quiverel
