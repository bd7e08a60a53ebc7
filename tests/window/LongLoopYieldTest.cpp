// A batch lets events through, and sees the cancel button, inside its long loops too: while a
// huge folder is read, while a large folder's rows are written, between many dropped files, and
// while the rows are sorted and numbered.

#include "grid/GridModel.h"
#include "listing/EventPacer.h"
#include "listing/ListingOutcome.h"
#include "settings/Options.h"
#include "support/FakePlatform.h"
#include "support/TempTree.h"
#include "window/BatchListing.h"
#include "window/DataSet_RowMidashi.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace quiverel {
namespace {

using testing::FakeEventPump;
using testing::FakeMessageBox;

constexpr int fileCount = 300;

// "f000.txt" and so on: name order is number order.
std::string fileName(int i) {
    char name[16];
    std::snprintf(name, sizeof name, "f%03d.txt", i);
    return name;
}

class LongLoopYieldTest : public ::testing::Test {
protected:
    LongLoopYieldTest() {
        DataSet_RowMidashi(grid);
        tree.makeFolder("big");
        for (int i = 0; i < fileCount; ++i) {
            tree.makeFile("big/" + fileName(i));
        }
    }

    BatchResult run(const std::vector<std::string>& entries) {
        FileTable fileTable{std::string()};
        fileTable.insert(fileTable.end(), entries.begin(), entries.end());
        return batch.DataSet_AllRow(grid, fileTable, options.OptTrim, false);
    }

    std::vector<std::string> column(std::int32_t col) const {
        std::vector<std::string> texts;
        for (std::int32_t row = 1; row < grid.Rows(); ++row) {
            texts.emplace_back(grid.TextMatrix(row, col));
        }
        return texts;
    }

    // The first count file names, and the numbers 1 to count.
    static std::vector<std::string> firstNames(int count) {
        std::vector<std::string> names;
        for (int i = 0; i < count; ++i) {
            names.push_back(fileName(i));
        }
        return names;
    }
    static std::vector<std::string> numbers(int count) {
        std::vector<std::string> texts;
        for (int i = 1; i <= count; ++i) {
            texts.push_back(std::to_string(i));
        }
        return texts;
    }

    // Each look at the clock finds an hour gone: every look lets events through.
    EventPacer::Clock::time_point now{};
    std::chrono::hours tick{1};
    testing::TempTree tree;
    Options options;
    FakeEventPump pump;
    FakeMessageBox messages;
    GridModel grid;
    BatchListing batch{options,
                       [] { return ColumnFlags{true, true, true, true, true, true, true}; }, pump,
                       messages,
                       [this] {
                           return now += tick;
                       }};
};

TEST_F(LongLoopYieldTest, WithoutTimePassingAFolderWithoutSubFoldersGivesNoYield) {
    tick = std::chrono::hours(0);

    const BatchResult result = run({tree.path("big")});

    EXPECT_EQ(pump.calls, 0);
    EXPECT_EQ(result.listing.rows, fileCount);
}

TEST_F(LongLoopYieldTest, CancelWhileAHugeFolderIsReadStopsTheSearchAtOnce) {
    // Without sub-folders, the first yield comes from inside the reading.
    pump.onPump = [this] {
        batch.cancel();
    };

    const BatchResult result = run({tree.path("big")});

    EXPECT_EQ(pump.calls, 1);
    EXPECT_EQ(result.listing.kind, ListingOutcome::Kind::Cancelled);
    EXPECT_EQ(result.listing.rows, 0);
    EXPECT_EQ(grid.Rows(), 1);
}

TEST_F(LongLoopYieldTest, CancelWhileALargeFolderIsWrittenKeepsTheRowsWrittenSortedAndNumbered) {
    std::int32_t rowsAtCancel = 0;
    pump.onPump = [&] {
        if (grid.Rows() > 1 && rowsAtCancel == 0) {
            rowsAtCancel = grid.Rows() - 1;
            batch.cancel();
        }
    };

    const BatchResult result = run({tree.path("big")});

    EXPECT_EQ(result.listing.kind, ListingOutcome::Kind::Cancelled);
    EXPECT_EQ(result.outcome, BatchResult::Outcome::Listed);
    EXPECT_EQ(result.listing.rows, rowsAtCancel);
    ASSERT_GT(result.listing.rows, 0);
    ASSERT_LT(result.listing.rows, fileCount);
    EXPECT_EQ(column(1), firstNames(result.listing.rows));
    EXPECT_EQ(column(0), numbers(result.listing.rows));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LongLoopYieldTest, CancelBetweenManyDroppedFilesEndsTheirLoop) {
    std::vector<std::string> dropped;
    for (int i = fileCount - 1; i >= 0; --i) {
        dropped.push_back(tree.path("big/" + fileName(i)));
    }
    pump.onPump = [this] {
        batch.cancel();
    };

    const BatchResult result = run(dropped);

    // Cancelled before the file on which the clock was first looked at.
    const int written = EventPacer::stepsPerLook - 1;
    EXPECT_EQ(result.listing.kind, ListingOutcome::Kind::Cancelled);
    EXPECT_EQ(result.listing.rows, written);
    std::vector<std::string> expected;
    for (int i = fileCount - written; i < fileCount; ++i) {
        expected.push_back(fileName(i));
    }
    EXPECT_EQ(column(1), expected);
    EXPECT_EQ(column(0), numbers(written));
}

TEST_F(LongLoopYieldTest, EventsGetThroughWhileTheRowsAreSortedAndNumbered) {
    int yieldsWhileSorting = 0;
    int yieldsWhileNumbering = 0;
    pump.onPump = [&] {
        if (grid.Rows() - 1 < fileCount) {
            return;
        }
        if (grid.TextMatrix(1, 0).empty()) {
            ++yieldsWhileSorting;
            EXPECT_THROW(grid.setText("x"), GridError);
            batch.cancel();
        } else if (grid.TextMatrix(fileCount, 0).empty()) {
            ++yieldsWhileNumbering;
        }
    };

    const BatchResult result = run({tree.path("big")});

    EXPECT_GE(yieldsWhileSorting, 1);
    EXPECT_GE(yieldsWhileNumbering, 1);
    // Every row had been written: the cancel cut nothing short.
    EXPECT_NE(result.listing.kind, ListingOutcome::Kind::Cancelled);
    EXPECT_EQ(result.listing.rows, fileCount);
    EXPECT_EQ(column(1), firstNames(fileCount));
    EXPECT_EQ(column(0), numbers(fileCount));
}

} // namespace
} // namespace quiverel
