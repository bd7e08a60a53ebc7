#include "grid/GridModel.h"
#include "listing/LetterCase.h"
#include "listing/PathText.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace quiverel {
namespace {

// Enough rows for the sort to be split over two threads.
constexpr std::int32_t manyRows = 70000;

// Names alike in many ways: equal but for case, equal in their first eleven or twelve bytes,
// one a prefix of another, holding a NUL, or empty.
std::string nameFor(std::int32_t i) {
    static const std::string names[] = {
        "readme",
        "README",
        "Readme.txt",
        "quarterly-report-b",
        "QUARTERLY-REPORT",
        "quarterly-repora",
        "quarterly-report-a",
        "a",
        std::string("a\0b", 3),
        "",
        "zeta",
        "_under",
    };
    return names[static_cast<std::size_t>(i * 7919) % std::size(names)];
}

// A grid of manyRows rows: names from nameFor in column 1, each row's original index in column 2.
void fillManyRows(GridModel& grid) {
    grid.setCols(8);
    grid.setRows(manyRows + 1);
    for (std::int32_t i = 1; i <= manyRows; ++i) {
        grid.setRow(i);
        grid.setCol(1);
        grid.setText(nameFor(i));
        grid.setCol(2);
        grid.setText(std::to_string(i));
    }
    grid.setRow(1);
    grid.setCol(1);
}

void expectSortedStably(const GridModel& grid) {
    std::vector<bool> seen(manyRows + 1);
    for (std::int32_t row = 1; row <= manyRows; ++row) {
        const std::int32_t original = std::stoi(std::string(grid.TextMatrix(row, 2)));
        ASSERT_EQ(grid.TextMatrix(row, 1), nameFor(original)) << row;
        seen[static_cast<std::size_t>(original)] = true;
        if (row == 1) {
            continue;
        }
        const int order = compareFolded(grid.TextMatrix(row - 1, 1), grid.TextMatrix(row, 1));
        ASSERT_LE(order, 0) << row;
        if (order == 0) {
            ASSERT_LT(std::stoi(std::string(grid.TextMatrix(row - 1, 2))), original) << row;
        }
    }
    EXPECT_EQ(std::count(seen.begin() + 1, seen.end(), true), manyRows);
}

TEST(RowSortTest, ManyRowsOrderByFoldedNameKeepingEqualNamesInTheirOrder) {
    GridModel grid;
    fillManyRows(grid);
    grid.setSort(GridModel::flexSortStringNoCaseAscending);
    expectSortedStably(grid);
}

TEST(RowSortTest, ManyRowsSortedAsideWhileThisThreadReadsThemInTheOldOrder) {
    GridModel grid;
    fillManyRows(grid);
    std::int32_t row = 0;
    grid.setSort(GridModel::flexSortStringNoCaseAscending, [&] {
        // Another stretch of rows at each call, as a view scrolled meanwhile would read them.
        for (int i = 0; i < 1000; ++i) {
            row = row % manyRows + 1;
            ASSERT_EQ(grid.TextMatrix(row, 2), std::to_string(row));
            ASSERT_EQ(grid.TextMatrix(row, 1), nameFor(row));
        }
    });
    expectSortedStably(grid);
}

} // namespace
} // namespace quiverel
