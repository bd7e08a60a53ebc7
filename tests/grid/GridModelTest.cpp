#include "grid/GridModel.h"
#include "grid/GridObserver.h"
#include "listing/LetterCase.h"
#include "listing/PathText.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace quiverel {
namespace {

// Records every notification as one line of text.
class RecordingObserver : public GridObserver {
public:
    std::vector<std::string> events;

    void gridShapeChanged(std::int32_t oldRows, std::int32_t oldCols) override {
        events.push_back("shape " + std::to_string(oldRows) + "x" + std::to_string(oldCols));
    }
    void gridCellsChanged(std::int32_t row0, std::int32_t col0, std::int32_t row1,
                          std::int32_t col1) override {
        events.push_back("cells " + std::to_string(row0) + "," + std::to_string(col0) + "-" +
                         std::to_string(row1) + "," + std::to_string(col1));
    }
    void gridColumnFormatChanged(std::int32_t col) override {
        events.push_back("column " + std::to_string(col));
    }
    void gridSelectionChanged() override { events.push_back("selection"); }
    void gridRedrawChanged(bool redraw) override {
        events.push_back(redraw ? "redraw on" : "redraw off");
    }
};

// A grid of 8 columns whose data rows hold the given texts in column 1 and the row's original
// index in column 2, so that a test can follow where each row went.
void fillColumn1(GridModel& grid, const std::vector<std::string>& names) {
    grid.setCols(8);
    grid.setRows(static_cast<std::int32_t>(names.size()) + 1);
    for (std::size_t i = 0; i < names.size(); ++i) {
        grid.setRow(static_cast<std::int32_t>(i) + 1);
        grid.setCol(1);
        grid.setText(names[i]);
        grid.setCol(2);
        grid.setText(std::to_string(i + 1));
    }
}

std::vector<std::string> column(const GridModel& grid, std::int32_t col) {
    std::vector<std::string> texts;
    for (std::int32_t row = 1; row < grid.Rows(); ++row) {
        texts.emplace_back(grid.TextMatrix(row, col));
    }
    return texts;
}

TEST(GridModelTest, StartsAsATwoByTwoGridAtTheFirstDataCell) {
    GridModel grid;
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.Cols(), 2);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_TRUE(grid.Redraw());
    EXPECT_EQ(grid.ColAlignment(0), GridModel::flexAlignGeneral);
    EXPECT_EQ(grid.ColWidth(1), GridModel::defaultColWidth);
}

TEST(GridModelTest, CellsKeepTheirTextsIndependently) {
    GridModel grid;
    grid.setCols(8);
    grid.setRows(3);
    const struct {
        std::int32_t row;
        std::int32_t col;
        std::string text;
    } writes[] = {
        {2, 7, "拡張子"},    {2, 0, "first"}, {1, 3, std::string(70000, 'x')},
        {2, 4, ""},          {2, 7, "DLL"},   {0, 5, "ﾀｲﾑｽﾀﾝﾌﾟ"},
        {2, 3, "tab\there"},
    };
    for (const auto& w : writes) {
        grid.setRow(w.row);
        grid.setCol(w.col);
        grid.setText(w.text);
        EXPECT_EQ(grid.Text(), w.text);
    }
    EXPECT_EQ(grid.TextMatrix(2, 7), "DLL");
    EXPECT_EQ(grid.TextMatrix(2, 0), "first");
    EXPECT_EQ(grid.TextMatrix(1, 3), std::string(70000, 'x'));
    EXPECT_EQ(grid.TextMatrix(2, 3), "tab\there");
    EXPECT_EQ(grid.TextMatrix(0, 5), "ﾀｲﾑｽﾀﾝﾌﾟ");
    EXPECT_EQ(grid.TextMatrix(2, 6), "");

    // Writing a cell's own text back, and emptying the last stored cell.
    grid.setRow(2);
    grid.setCol(0);
    grid.setText(grid.Text());
    EXPECT_EQ(grid.Text(), "first");
    grid.setCol(7);
    grid.setText("");
    EXPECT_EQ(grid.TextMatrix(2, 7), "");
    EXPECT_EQ(grid.TextMatrix(2, 3), "tab\there");
}

TEST(GridModelTest, SettingRowOrColCollapsesTheSelection) {
    GridModel grid;
    grid.setCols(8);
    grid.setRows(10);
    grid.setRow(2);
    grid.setCol(3);
    grid.setRowSel(7);
    grid.setColSel(6);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 3);
    EXPECT_EQ(grid.RowSel(), 7);
    EXPECT_EQ(grid.ColSel(), 6);

    grid.setCol(1);
    EXPECT_EQ(grid.RowSel(), 2);
    EXPECT_EQ(grid.ColSel(), 1);

    grid.setRowSel(9);
    grid.setColSel(7);
    grid.setRow(4);
    EXPECT_EQ(grid.RowSel(), 4);
    EXPECT_EQ(grid.ColSel(), 1);
}

TEST(GridModelTest, RowsShrinkDiscardingAndGrowWithEmptyRows) {
    GridModel grid;
    fillColumn1(grid, {"a", "b", "c", "d"});
    grid.setRow(4);
    grid.setRowSel(3);
    grid.setRows(3);
    EXPECT_EQ(column(grid, 1), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.RowSel(), 2);

    grid.setRows(5);
    EXPECT_EQ(column(grid, 1), (std::vector<std::string>{"a", "b", "", ""}));

    grid.setRows(1);
    EXPECT_EQ(grid.Rows(), 1);
    EXPECT_EQ(grid.Row(), 0);
}

TEST(GridModelTest, ColsShrinkDiscardsCellsThatDoNotComeBack) {
    GridModel grid;
    fillColumn1(grid, {"a"});
    grid.setColWidth(5, 2000);
    grid.setColAlignment(5, GridModel::flexAlignLeftCenter);
    grid.setRow(1);
    grid.setCol(6);
    grid.setText("six");
    grid.setCols(2);
    EXPECT_EQ(grid.Col(), 1);
    grid.setCols(8);
    EXPECT_EQ(grid.TextMatrix(1, 1), "a");
    EXPECT_EQ(grid.TextMatrix(1, 2), "");
    EXPECT_EQ(grid.TextMatrix(1, 6), "");
    EXPECT_EQ(grid.ColWidth(5), GridModel::defaultColWidth);
    EXPECT_EQ(grid.ColAlignment(5), GridModel::flexAlignGeneral);
}

TEST(GridModelTest, ClearEmptiesEveryCellAndKeepsTheShapeAndFormats) {
    GridModel grid;
    fillColumn1(grid, {"a", "b"});
    grid.setRow(0);
    grid.setCol(0);
    grid.setText("No.");
    grid.setColWidth(4, 800);
    grid.setColAlignment(4, GridModel::flexAlignLeftCenter);
    grid.Clear();
    EXPECT_EQ(grid.Rows(), 3);
    EXPECT_EQ(grid.Cols(), 8);
    for (std::int32_t row = 0; row < grid.Rows(); ++row) {
        for (std::int32_t col = 0; col < grid.Cols(); ++col) {
            EXPECT_EQ(grid.TextMatrix(row, col), "") << row << "," << col;
        }
    }
    EXPECT_EQ(grid.ColWidth(4), 800);
    EXPECT_EQ(grid.ColAlignment(4), GridModel::flexAlignLeftCenter);
}

TEST(GridModelTest, OutOfRangeValuesThrowAndChangeNothing) {
    GridModel grid;
    fillColumn1(grid, {"a", "b"});
    grid.setRow(1);
    grid.setCol(1);
    EXPECT_THROW(grid.setRow(3), GridError);
    EXPECT_THROW(grid.setRow(-1), GridError);
    EXPECT_THROW(grid.setCol(8), GridError);
    EXPECT_THROW(grid.setRowSel(3), GridError);
    EXPECT_THROW(grid.setColSel(-1), GridError);
    EXPECT_THROW(grid.TextMatrix(0, 8), GridError);
    EXPECT_THROW(grid.TextMatrix(3, 0), GridError);
    EXPECT_THROW(grid.ColWidth(8), GridError);
    EXPECT_THROW(grid.setColWidth(1, -5), GridError);
    EXPECT_THROW(grid.setColAlignment(-1, 1), GridError);
    EXPECT_THROW(grid.setColAlignment(1, 10), GridError);
    EXPECT_THROW(grid.setRows(0), GridError);
    EXPECT_THROW(grid.setRows(-1), GridError);
    EXPECT_THROW(grid.setCols(0), GridError);
    for (const std::int16_t sort : {0, 1, 4, 6, 9}) {
        EXPECT_THROW(grid.setSort(sort), GridError) << sort;
    }
    EXPECT_EQ(grid.Rows(), 3);
    EXPECT_EQ(grid.Cols(), 8);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(column(grid, 1), (std::vector<std::string>{"a", "b"}));
}

struct SortCase {
    const char* name;
    std::vector<std::string> names;
    std::int32_t row;
    std::int32_t rowSel;
    std::vector<std::string> sortedNames;
    std::vector<std::string> originalPositions;
};

TEST(GridModelTest, SortFiveOrdersRowsByTheKeyColumnStablyWithoutRegardToCase) {
    const SortCase cases[] = {
        {"all rows when Row equals RowSel",
         {"b.txt", "A.txt", "c.txt"},
         2,
         2,
         {"A.txt", "b.txt", "c.txt"},
         {"2", "1", "3"}},
        {"case folded, equal keys keep their order",
         {"readme", "README", "Readme", "alpha", "ReadMe"},
         1,
         1,
         {"alpha", "readme", "README", "Readme", "ReadMe"},
         {"4", "1", "2", "3", "5"}},
        {"only the block Row..RowSel",
         {"e", "d", "c", "b", "a"},
         2,
         4,
         {"e", "b", "c", "d", "a"},
         {"1", "4", "3", "2", "5"}},
        {"block given bottom-up",
         {"e", "d", "c", "b", "a"},
         4,
         2,
         {"e", "b", "c", "d", "a"},
         {"1", "4", "3", "2", "5"}},
        {"fixed row inside the block stays",
         {"c", "a", "b"},
         0,
         3,
         {"a", "b", "c"},
         {"2", "3", "1"}},
        {"letters sort before the underscore, empty first",
         {"_x", "ab", "", "Z"},
         1,
         1,
         {"", "ab", "Z", "_x"},
         {"3", "2", "4", "1"}},
        {"keys alike in their first sixteen bytes",
         {"quarterly-report-b.txt", "QUARTERLY-REPORT-a.txt", "quarterly-report",
          "quarterly-repora"},
         1,
         1,
         {"quarterly-repora", "quarterly-report", "QUARTERLY-REPORT-a.txt",
          "quarterly-report-b.txt"},
         {"4", "3", "2", "1"}},
        {"a single data row", {"only"}, 1, 1, {"only"}, {"1"}},
    };
    // The same order whether it is worked out on this thread or on another one.
    for (const bool aside : {false, true}) {
        for (const auto& c : cases) {
            GridModel grid;
            fillColumn1(grid, c.names);
            grid.setRow(0);
            grid.setCol(0);
            grid.setText("No.");
            grid.setRow(c.row);
            grid.setCol(1);
            grid.setRowSel(c.rowSel);
            grid.setSort(GridModel::flexSortStringNoCaseAscending,
                         aside ? std::function<void()>([] {}) : std::function<void()>());
            EXPECT_EQ(column(grid, 1), c.sortedNames) << c.name << (aside ? " (aside)" : "");
            EXPECT_EQ(column(grid, 2), c.originalPositions) << c.name << (aside ? " (aside)" : "");
            EXPECT_EQ(grid.TextMatrix(0, 0), "No.") << c.name << (aside ? " (aside)" : "");
        }
    }
}

TEST(GridModelTest, WhileSortingAsideTheGridReadsInTheOldOrderAndRefusesChanges) {
    GridModel grid;
    fillColumn1(grid, {"c", "a", "b"});
    grid.setRow(1);
    grid.setCol(1);
    int calls = 0;
    grid.setSort(GridModel::flexSortStringNoCaseAscending, [&] {
        ++calls;
        EXPECT_EQ(column(grid, 1), (std::vector<std::string>{"c", "a", "b"}));
        EXPECT_THROW(grid.setText("x"), GridError);
        EXPECT_THROW(grid.setRows(2), GridError);
        EXPECT_THROW(grid.setCols(2), GridError);
        EXPECT_THROW(grid.Clear(), GridError);
        EXPECT_THROW(grid.setSort(GridModel::flexSortStringNoCaseAscending), GridError);
        // The current cell may move: the rows sorted were chosen at the start.
        grid.setRow(3);
        grid.setRowSel(2);
    });
    EXPECT_GE(calls, 1);
    EXPECT_EQ(column(grid, 1), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(grid.Rows(), 4);
    EXPECT_EQ(grid.Cols(), 8);
    grid.setText("written after");
    EXPECT_EQ(grid.TextMatrix(3, 1), "written after");
}

TEST(GridModelTest, AFailureWhileSortingAsideLeavesTheRowsAsTheyWereAndWritable) {
    GridModel grid;
    fillColumn1(grid, {"c", "a", "b"});
    grid.setRow(1);
    grid.setCol(1);
    EXPECT_THROW(grid.setSort(GridModel::flexSortStringNoCaseAscending,
                              [] { throw std::runtime_error("events failed"); }),
                 std::runtime_error);
    EXPECT_EQ(column(grid, 1), (std::vector<std::string>{"c", "a", "b"}));
    grid.setRow(1);
    grid.setText("d");
    EXPECT_EQ(column(grid, 1), (std::vector<std::string>{"d", "a", "b"}));
}

TEST(GridModelTest, SortKeepsTheOrderOfEqualKeysInALargeGrid) {
    const char* const spellings[] = {"name", "NAME", "Name", "b", "a"};
    std::vector<std::string> names;
    for (int i = 0; i < 300; ++i) {
        names.emplace_back(spellings[(i * 7) % 5]);
    }
    GridModel grid;
    fillColumn1(grid, names);
    grid.setRow(1);
    grid.setCol(1);
    grid.setSort(GridModel::flexSortStringNoCaseAscending);
    for (std::int32_t row = 2; row < grid.Rows(); ++row) {
        const int order = compareFolded(grid.TextMatrix(row - 1, 1), grid.TextMatrix(row, 1));
        ASSERT_LE(order, 0) << row;
        if (order == 0) {
            EXPECT_LT(std::stoi(std::string(grid.TextMatrix(row - 1, 2))),
                      std::stoi(std::string(grid.TextMatrix(row, 2))))
                << row;
        }
    }
}

TEST(GridModelTest, SortUsesTheFollowingKeyColumnsOnTies) {
    GridModel grid;
    fillColumn1(grid, {"same", "SAME", "other"});
    const char* const seconds[] = {"2", "1", "9"};
    for (std::int32_t row = 1; row <= 3; ++row) {
        grid.setRow(row);
        grid.setCol(2);
        grid.setText(seconds[row - 1]);
    }
    grid.setRow(1);
    grid.setCol(1);
    grid.setColSel(2);
    grid.setSort(GridModel::flexSortStringNoCaseAscending);
    EXPECT_EQ(column(grid, 1), (std::vector<std::string>{"other", "SAME", "same"}));
}

TEST(GridModelTest, ObserverHearsOfEveryChange) {
    GridModel grid;
    RecordingObserver observer;
    grid.setObserver(&observer);
    grid.setCols(8);
    grid.setRows(4);
    grid.setRow(3);
    grid.setCol(2);
    grid.setText("x");
    grid.setColWidth(6, 2000);
    grid.setColAlignment(7, GridModel::flexAlignLeftCenter);
    grid.setRedraw(false);
    grid.setRedraw(true);
    grid.setRowSel(1);
    grid.setSort(GridModel::flexSortStringNoCaseAscending);
    grid.Clear();
    grid.setRows(2);
    const std::vector<std::string> expected = {
        "shape 2x2",     "shape 2x8",     "selection",  "selection", "cells 3,2-3,2",
        "column 6",      "column 7",      "redraw off", "redraw on", "selection",
        "cells 1,0-3,7", "cells 0,0-3,7", "shape 4x8",  "selection",
    };
    EXPECT_EQ(observer.events, expected);

    grid.setObserver(nullptr);
    grid.setRows(5);
    EXPECT_EQ(observer.events.size(), expected.size());
}

} // namespace
} // namespace quiverel
