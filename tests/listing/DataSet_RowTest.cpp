#include "listing/DataSet_Row.h"

#include "window/DataSet_RowMidashi.h"
#include "grid/GridModel.h"
#include "listing/PathText.h"
#include "support/TempTree.h"
#include "support/ZoneGuard.h"

#include <gtest/gtest.h>

#include <array>
#include <fcntl.h>
#include <sys/stat.h>

namespace quiverel {
namespace {

constexpr ColumnFlags allColumns{true, true, true, true, true, true, true};

// A grid as a batch leaves it before its first row, and one real file of 3000 bytes.
class DataSetRowTest : public ::testing::Test {
protected:
    DataSetRowTest() {
        DataSet_RowMidashi(grid);
        grid.setRows(1);
        file = tree.makeFile("Report.log", std::string(3000, 'x'));
        const timespec times[2] = {{0, UTIME_OMIT}, {1700000000, 0}};
        EXPECT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
    }

    // Writes the file shown as display into row lNum; returns the writer's answer.
    bool write(std::string display, const ColumnFlags& flags, const std::string& sTrim = {},
               bool flgOmoji = false, std::int32_t lNum = 0) {
        return DataSet_Row(grid, lNum == 0 ? grid.Rows() : lNum, file, display, sTrim, flags,
                           flgOmoji);
    }

    std::array<std::string, 8> lastRow() const {
        std::array<std::string, 8> cells;
        for (std::int32_t col = 0; col < 8; ++col) {
            cells[static_cast<std::size_t>(col)] = grid.TextMatrix(grid.Rows() - 1, col);
        }
        return cells;
    }

    testing::TempTree tree;
    std::string file;
    GridModel grid;
};

TEST_F(DataSetRowTest, WritesEachChosenColumnAndOnlyThat) {
    const testing::ZoneGuard zone("UTC0");
    const std::string display = "/work/Report.log";
    const std::array<std::string, 8> full = {
        "", "Report.log", "/work/", "3KB", "-", "2023/11/14 22:13", "/work/Report.log", "LOG",
    };
    for (std::size_t k = 0; k < 7; ++k) {
        ColumnFlags only{};
        only[k] = true;
        ASSERT_TRUE(write(display, only)) << k;
        std::array<std::string, 8> expected{};
        expected[k + 1] = full[k + 1];
        EXPECT_EQ(lastRow(), expected) << k;
    }
    ASSERT_TRUE(write(display, allColumns));
    EXPECT_EQ(lastRow(), full);
    EXPECT_EQ(grid.Rows(), 9);
}

TEST_F(DataSetRowTest, AllColumnsOffStillAppendsAnEmptyRow) {
    EXPECT_TRUE(write(file, ColumnFlags{}));
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(lastRow(), (std::array<std::string, 8>{}));
    EXPECT_EQ(grid.Row(), 1);
}

TEST_F(DataSetRowTest, TrimRemovesTheTextOnceAndOnlyAtTheStartOfThePathName) {
    const struct {
        const char* display;
        const char* sTrim;
        bool flgOmoji;
        const char* pathName;
    } cases[] = {
        {"/data/data/f.txt", "", false, "/data/data/"},
        {"/data/data/f.txt", "/data", false, "/data/"},
        {"/data/data/f.txt", "/data/", false, "data/"},
        {"/data/data/f.txt", "/DATA/", false, "/data/data/"},
        {"/data/data/f.txt", "/data/data/", false, ""},
        {"/data/data/f.txt", "/data/data/f.txt", false, "/data/data/"},
        {"/data/data/f.txt", "data/", false, "/data/data/"},
        {"/data/sub/f.txt", "sub/", false, "/data/sub/"},
        {"/data/data/f.txt", "/data/", true, "/DATA/DATA/"},
        {"/data/data/f.txt", "/DATA/", true, "DATA/"},
    };
    for (const auto& c : cases) {
        std::string display = c.display;
        ASSERT_TRUE(DataSet_Row(grid, grid.Rows(), file, display, c.sTrim, allColumns, c.flgOmoji));
        const auto cells = lastRow();
        EXPECT_EQ(cells[2], c.pathName) << c.display << " - " << c.sTrim;
        EXPECT_EQ(cells[6], display) << "the full path keeps everything";
    }
}

TEST_F(DataSetRowTest, UpperCaseOptionChangesTheCallersTextAndTheCells) {
    std::string display = "/Work/tool.Log";
    ASSERT_TRUE(DataSet_Row(grid, 1, file, display, "", allColumns, true));
    EXPECT_EQ(display, "/WORK/TOOL.LOG");
    const auto cells = lastRow();
    EXPECT_EQ(cells[1], "TOOL.LOG");
    EXPECT_EQ(cells[2], "/WORK/");
    EXPECT_EQ(cells[6], "/WORK/TOOL.LOG");
    EXPECT_EQ(cells[3], "3KB"); // the file was still found under its own name
}

TEST_F(DataSetRowTest, FileWithoutStampGetsNoRowAndTheNextTakesItsNumber) {
    grid.setCols(3);
    std::string missing = tree.path("gone.txt");
    EXPECT_FALSE(DataSet_Row(grid, 1, missing, missing, "", allColumns, false));
    EXPECT_EQ(grid.Cols(), 8);
    EXPECT_EQ(grid.Rows(), 1);

    std::string display = file;
    EXPECT_TRUE(DataSet_Row(grid, 1, file, display, "", allColumns, false));
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.TextMatrix(1, 1), "Report.log");
}

TEST_F(DataSetRowTest, RowNumberOutsideTheGridReachesTheCaller) {
    std::string display = file;
    EXPECT_THROW(DataSet_Row(grid, 7, file, display, "", allColumns, false), GridError);
}

} // namespace
} // namespace quiverel
