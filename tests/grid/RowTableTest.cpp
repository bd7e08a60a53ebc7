#include "grid/RowTable.h"
#include "grid/PackedCells.h"
#include "grid/RowRecord.h"
#include "grid/RowSort.h"
#include "listing/FactTexts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

#include <string>
#include <tuple>
#include <vector>

namespace quiverel {
namespace {

std::vector<std::string_view> viewsOf(const std::vector<std::string>& texts) {
    return {texts.begin(), texts.end()};
}

// Packs the cells into a record and reads every cell back.
std::vector<std::string> roundTrip(const std::vector<std::string>& cells, std::size_t& size) {
    RowRecordWriter writer;
    const std::vector<std::string_view> views = viewsOf(cells);
    size = writer.plan(views);
    std::vector<char> record(size);
    writer.write(record.data());
    EXPECT_EQ(rowrecord::size(record.data()), size);
    EXPECT_EQ(rowrecord::cellCount(record.data()), cells.size());
    std::vector<std::string_view> all;
    rowrecord::cells(record.data(), all);
    std::vector<std::string> texts;
    for (std::size_t col = 0; col < cells.size(); ++col) {
        texts.emplace_back(rowrecord::cell(record.data(), col));
        EXPECT_EQ(all.at(col), texts.back()) << col;
    }
    EXPECT_EQ(rowrecord::cell(record.data(), cells.size()), "");
    return texts;
}

TEST(RowRecordTest, CellsComeBackWhateverTheirLengths) {
    // Lengths around the points where a length needs one more byte.
    for (const std::size_t length : {0, 1, 63, 64, 127, 128, 8191, 8192, 16383, 16384, 70000}) {
        const std::vector<std::string> cells = {std::string(length, 'x'), "", "tail",
                                                std::string(length, 'y')};
        std::size_t size = 0;
        EXPECT_EQ(roundTrip(cells, size), cells) << length;
    }
}

TEST(RowRecordTest, CellsInsideALongerCellShareItsBytes) {
    const std::string full = "/HOME/USER/REPORTS/QUARTERLY.TXT";
    struct Case {
        const char* name;
        std::vector<std::string> cells;
        std::size_t ownBytes; // bytes the record keeps beside its header
    };
    const Case cases[] = {
        {"name, folder, folder trimmed and extension inside the full path",
         {"", "QUARTERLY.TXT", "/HOME/USER/REPORTS/", "3KB", "-", "2024/01/02 03:04", full, "TXT",
          "REPORTS/"},
         3 + 1 + 16 + full.size()},
        {"a short text in the middle is kept apart", {full, "USER"}, full.size() + 4},
        {"a cell equal to another", {"same text", "same text"}, 9},
        {"nothing shared", {"abc", "def"}, 6},
    };
    for (const Case& c : cases) {
        std::size_t size = 0;
        EXPECT_EQ(roundTrip(c.cells, size), c.cells) << c.name;
        EXPECT_GE(size, c.ownBytes) << c.name;
        EXPECT_LE(size, c.ownBytes + 3 * c.cells.size() + 1) << c.name;
    }
}

TEST(PackedCellsTest, OnlyTextsOfTheCommonFormsBecomeNumbers) {
    struct Case {
        const char* text;
        std::optional<std::uint64_t> kilobytes;
        std::optional<std::uint32_t> stamp;
    };
    const Case cases[] = {
        {"0KB", 0, {}},
        {"999KB", 999, {}},
        {"1,234KB", 1234, {}},
        {"12,345,678KB", 12345678, {}},
        {"01KB", {}, {}},
        {"1234KB", {}, {}},
        {"12,34KB", {}, {}},
        {",123KB", {}, {}},
        {"KB", {}, {}},
        {"1,234kB", {}, {}},
        {"1600/01/01 00:00", {}, 0},
        {"1600/01/01 01:01", {}, 61},
        {"9616/12/31 23:59", {}, 4294546559U},
        {"1599/12/31 23:59", {}, {}},
        {"9617/01/01 00:00", {}, {}},
        {"2024/00/10 10:10", {}, {}},
        {"2024/01/32 10:10", {}, {}},
        {"2024/01/10 24:00", {}, {}},
        {"2024/01/10 10:60", {}, {}},
        {"2024-01-10 10:10", {}, {}},
        {"2024/01/10 10:10 ", {}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(packedKilobytes(c.text), c.kilobytes) << c.text;
        EXPECT_EQ(packedStamp(c.text), c.stamp) << c.text;
        std::string back;
        if (c.kilobytes) {
            appendKilobytes(back, *c.kilobytes);
        } else if (c.stamp) {
            appendPackedStamp(*c.stamp, back);
        }
        EXPECT_EQ(back, c.kilobytes || c.stamp ? c.text : "") << c.text;
    }
}

// A store whose rows are written as the grid writes them: cell by cell, row after row.
class RowTableTest : public ::testing::Test {
protected:
    std::vector<std::string> row(std::size_t r, std::size_t cols = 8) const {
        std::vector<std::string> texts;
        for (std::size_t c = 0; c < cols; ++c) {
            texts.emplace_back(store.cell(r, c));
        }
        return texts;
    }
    RowTable store;
};

TEST_F(RowTableTest, RowsKeepTheirCellsWhateverTheOrderOfWriting) {
    store.resize(4);
    const std::string longNumber = "123456789";
    store.setCell(1, 1, "one");
    store.setCell(2, 3, "two-three");
    store.setCell(1, 2, "one-two");
    store.setCell(1, 0, longNumber); // too long for the slot: kept in the record
    store.setCell(3, 7, "three-seven");
    store.setCell(2, 0, "42");
    store.setCell(1, 0, "7");                        // short again
    store.setCell(2, 3, store.cell(2, 3).substr(4)); // a text taken from the cell itself
    store.setCell(3, 1, store.cell(1, 2));           // and from another row

    EXPECT_EQ(row(0), std::vector<std::string>(8));
    EXPECT_EQ(row(1), (std::vector<std::string>{"7", "one", "one-two", "", "", "", "", ""}));
    EXPECT_EQ(row(2), (std::vector<std::string>{"42", "", "", "three", "", "", "", ""}));
    EXPECT_EQ(row(3), (std::vector<std::string>{"", "one-two", "", "", "", "", "", "three-seven"}));

    store.setCell(1, 0, longNumber);
    store.setCell(2, 1, "x");
    EXPECT_EQ(store.cell(1, 0), longNumber);
    store.truncateColumns(2);
    EXPECT_EQ(row(1), (std::vector<std::string>{longNumber, "one", "", "", "", "", "", ""}));
    EXPECT_EQ(row(3), (std::vector<std::string>{"", "one-two", "", "", "", "", "", ""}));
}

TEST_F(RowTableTest, DiscardedAndRewrittenRowsLeaveTheOthersIntact) {
    constexpr std::size_t rows = 20000;
    store.resize(rows);
    const auto text = [](std::size_t r, int round) {
        return "row " + std::to_string(r) + " round " + std::to_string(round) +
               std::string(40, 'x');
    };
    // Rewriting every row several times leaves much unused room behind, which is reclaimed.
    for (int round = 0; round < 4; ++round) {
        for (std::size_t r = 0; r < rows; ++r) {
            store.setCell(r, 1 + r % 3, text(r, round));
            store.setCell(r, 0, std::to_string(r));
        }
    }
    store.resize(rows / 2);
    store.resize(rows);
    for (std::size_t r = 0; r < rows; ++r) {
        ASSERT_EQ(store.cell(r, 0), r < rows / 2 ? std::to_string(r) : "") << r;
        ASSERT_EQ(store.cell(r, 1 + r % 3), r < rows / 2 ? text(r, 3) : "") << r;
    }
    store.clearCells();
    EXPECT_EQ(store.rows(), rows);
    EXPECT_EQ(row(5), std::vector<std::string>(8));
}

// Rows written as a listing writes them, folder after folder, share their folder's text; the
// text lives as long as a row uses it, through sorting, discards, repacking and rewrites.
TEST_F(RowTableTest, RowsOfAFolderShareItsTextForAsLongAsOneUsesIt) {
    constexpr std::size_t folders = 60;
    constexpr std::size_t perFolder = 1000; // enough rows that discarding most repacks the table
    constexpr std::size_t cols = 10;
    // Cells as the window writes them: running number, name, folder, size, version, time stamp,
    // full path, extension; then the folder trimmed and a cell holding the folder in its middle.
    // Some rows have sizes, stamps, extensions and paths of other forms than most.
    const auto cells = [](std::size_t f, std::size_t n, const std::string& tag) {
        static const char* const sizes[] = {"1,234KB", "0KB",     "01KB",
                                            "1234KB",  "12,34KB", "98,765,432,100KB"};
        static const char* const stamps[] = {"2024/01/02 03:04", "1599/12/31 23:59",
                                             "2024/13/01 00:00", "9616/12/31 23:59",
                                             "2024-01-02 03:04", "1600/01/01 00:00"};
        static const char* const extensions[] = {"DLL", "dll", "LL", "DLL", "", "DLL"};
        const std::string dir =
            "/MEDIA/ARCHIVE/ｶﾅ漢字/" + std::string(f % 7 + 1, 'D') + "/F" + std::to_string(f) + "/";
        const std::size_t odd = n % 6;
        const std::string name = "N" + std::to_string(n) + tag + (odd == 3 ? "" : ".DLL");
        return std::vector<std::string>{std::to_string(n),
                                        name,
                                        dir,
                                        sizes[odd],
                                        n % 4 == 0 ? "-" : "1.0.0." + std::to_string(n),
                                        stamps[odd],
                                        dir + (n % 5 == 4 ? "OTHER" : "") + name,
                                        extensions[odd],
                                        dir.substr(dir.size() - 4),
                                        "see " + dir + name};
    };
    std::vector<std::vector<std::string>> model{std::vector<std::string>(cols)};
    const auto write = [&](std::size_t r, const std::vector<std::string>& texts) {
        for (std::size_t c = 0; c < texts.size(); ++c) {
            store.setCell(r, c, texts[c]);
        }
        model.resize(std::max(model.size(), r + 1), std::vector<std::string>(cols));
        model[r] = texts;
    };
    const auto resize = [&](std::size_t rows) {
        store.resize(rows);
        model.resize(rows, std::vector<std::string>(cols));
    };
    resize(1 + folders * perFolder);
    for (std::size_t f = folders; f-- > 0;) { // the last folder first, for the sort below
        for (std::size_t n = 0; n < perFolder; ++n) {
            write(1 + (folders - 1 - f) * perFolder + n, cells(f, n, ""));
        }
    }
    struct Step {
        const char* what;
        std::function<void()> change;
    };
    const Step steps[] = {
        {"written",
         [] {
         }},
        {"sorted by full path",
         [&] {
             sortRows(store, 1, folders * perFolder, 6, 6);
             std::stable_sort(model.begin() + 1, model.end(),
                              [](const auto& a, const auto& b) { return a[6] < b[6]; });
         }},
        {"sorted by size, version and time stamp",
         [&] {
             sortRows(store, 1, folders * perFolder, 3, 5);
             std::stable_sort(model.begin() + 1, model.end(), [](const auto& a, const auto& b) {
                 return std::tie(a[3], a[4], a[5]) < std::tie(b[3], b[4], b[5]);
             });
         }},
        {"most rows discarded, the others repacked",
         [&] {
             resize(1 + perFolder + 3);
         }},
        {"a kept row moved to a new folder, rows of another added",
         [&] {
             write(2, cells(folders + 1, 2, "MOVED"));
             resize(1 + perFolder + 13);
             for (std::size_t n = 0; n < 10; ++n) {
                 write(1 + perFolder + 3 + n, cells(folders + 2, n, "NEW"));
             }
         }},
        {"columns cut",
         [&] {
             store.truncateColumns(3);
             for (auto& texts : model) {
                 std::fill(texts.begin() + 3, texts.end(), "");
             }
         }},
    };
    for (const Step& step : steps) {
        step.change();
        ASSERT_EQ(store.rows(), model.size()) << step.what;
        for (std::size_t r = 0; r < store.rows(); ++r) {
            ASSERT_EQ(row(r, cols), model[r]) << step.what << ", row " << r;
        }
    }
}

} // namespace
} // namespace quiverel
