#include "window/DataSet_RowMidashi.h"

#include "grid/GridModel.h"

#include <gtest/gtest.h>

namespace quiverel {
namespace {

TEST(DataSetRowMidashiTest, HeadingRoutineLaysOutTheEightColumns) {
    GridModel grid;
    grid.setRows(3);
    grid.setRow(2);
    grid.setText("old row");
    grid.setCols(3);
    grid.setColAlignment(2, 4);
    grid.setRowSel(2);
    DataSet_RowMidashi(grid);

    const char* const headings[] = {"No.",  "ﾌｧｲﾙ名",   "ﾊﾟｽ名",       "ｻｲｽﾞ(KB)",
                                    "Ver.", "ﾀｲﾑｽﾀﾝﾌﾟ", "ﾌﾙﾊﾟｽﾌｧｲﾙ名", "拡張子"};
    const std::int32_t widths[] = {500, 1000, 1000, 1000, 800, 1000, 2000, 1000};
    const std::int16_t alignments[] = {9, 1, 1, 9, 1, 9, 1, 1};
    ASSERT_EQ(grid.Cols(), 8);
    EXPECT_EQ(grid.Rows(), 2);
    for (std::int32_t col = 0; col < 8; ++col) {
        EXPECT_EQ(grid.TextMatrix(0, col), headings[col]) << col;
        EXPECT_EQ(grid.TextMatrix(1, col), "") << col;
        EXPECT_EQ(grid.ColWidth(col), widths[col]) << col;
        EXPECT_EQ(grid.ColAlignment(col), alignments[col]) << col;
    }
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.RowSel(), 1);
    EXPECT_EQ(grid.ColSel(), 1);
}

} // namespace
} // namespace quiverel
