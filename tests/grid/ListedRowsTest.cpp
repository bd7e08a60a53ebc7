#include "grid/ListedRows.h"
#include "listing/LetterCase.h"
#include "listing/PathText.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace quiverel {
namespace {

struct Row {
    std::string fileName, folder, size, version, stamp, fullPath, extension;
    RowTexts texts() const { return {fileName, folder, size, version, stamp, fullPath, extension}; }
};

// Rows that share their folder's texts, and rows whose texts cannot be shared: a trimmed or
// emptied folder cell, a folder cell that is not in the path, no full path, no separator, a
// full path ending in something else than the name, and folders that come back later.
const std::vector<Row> mixedRows = {
    {"b.txt", "/data/x/", "1KB", "", "2020/01/01 00:00", "/data/x/b.txt", "TXT"},
    {"a.DLL", "/data/x/", "12KB", "1.5.0.12", "2021/02/03 04:05", "/data/x/a.DLL", "DLL"},
    {"c", "x/", "3KB", "", "2022/01/01 00:00", "/data/x/c", ""},
    {"d", "", "3KB", "", "2022/01/01 00:00", "/data/x/d", ""},
    {"e", "/elsewhere/", "3KB", "", "2022/01/01 00:00", "/data/x/e", ""},
    {"f", "/data/y/", "", "", "2022/01/01 00:00", "", ""},
    {"g", "", "", "", "2022/01/01 00:00", "g", ""},
    {"", "/data/y/", "", "", "2022/01/01 00:00", "/data/y/h.jpg", ""},
    {"i.txt", "/data/x/", "1KB", "", "2020/01/01 00:00", "/data/x/i.txt", "TXT"},
};

void expectRow(const ListedRows& rows, std::size_t row, const Row& expected) {
    const RowTexts texts = expected.texts();
    for (std::size_t k = 0; k < texts.size(); ++k) {
        EXPECT_EQ(rows.cell(row, k + 1), texts[k]) << "row " << row << ", cell " << k + 1;
    }
}

TEST(ListedRows, KeepsEveryCellAsWrittenUnnumberedUntilSorted) {
    ListedRows rows;
    rows.begin();
    for (const Row& row : mixedRows) {
        rows.addRow(row.texts());
    }
    ASSERT_EQ(rows.rows(), mixedRows.size());
    for (std::size_t i = mixedRows.size(); i-- > 0;) {
        EXPECT_EQ(rows.cell(i, 0), "");
        expectRow(rows, i, mixedRows[i]);
    }

    rows.sortAndNumber();
    const std::vector<std::size_t> order = {7, 1, 0, 2, 3, 4, 5, 6, 8}; // "" a b c d e f g i
    for (std::size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(rows.cell(i, 0), std::to_string(i + 1));
        expectRow(rows, i, mixedRows[order[i]]);
    }

    rows.begin();
    EXPECT_EQ(rows.rows(), 0U);
}

// Enough rows for the sort to be split over two threads, with names equal in their first eleven
// bytes or more, equal but for case, and equal in full; worked out aside or here.
TEST(ListedRows, SortsByNameFoldedKeepingTheOrderFoundOnBothPaths) {
    constexpr std::size_t manyRows = 70000;
    const std::string names[] = {"quarterly-report-b", "QUARTERLY-REPORT", "quarterly-repora",
                                 "quarterly-report-a", "readme", "README", "a", "",
                                 // letters outside ASCII fold too, also past the bytes the
                                 // sort packs into numbers, and where upper case is shorter
                                 "ünï.txt", "ÜNÏ.TXT", "ａｂｃ長い名前.txt", "ＡＢＣ長い名前.TXT",
                                 "ıx", "IX", "Iy"};
    for (const bool aside : {false, true}) {
        ListedRows rows;
        rows.begin();
        std::vector<std::string> stamps;
        for (std::size_t i = 0; i < manyRows; ++i) {
            const std::string& name = names[(i * 7919) % std::size(names)];
            stamps.push_back(std::to_string(i));
            rows.addRow({name, "/f/", "", "", stamps.back(), "/f/" + name, ""});
        }
        int calls = 0;
        rows.sortAndNumber(aside ? std::function<void()>([&calls] { ++calls; }) : nullptr);
        EXPECT_EQ(calls > 0, aside);
        for (std::size_t row = 1; row < manyRows; ++row) {
            const std::string before(rows.cell(row - 1, 1));
            const std::size_t beforeIndex = std::stoul(std::string(rows.cell(row - 1, 5)));
            const std::string name(rows.cell(row, 1));
            const std::size_t index = std::stoul(std::string(rows.cell(row, 5)));
            ASSERT_EQ(name, names[(index * 7919) % std::size(names)]);
            const int order = compareFolded(before, name);
            ASSERT_TRUE(order < 0 || (order == 0 && beforeIndex < index)) << row;
            ASSERT_EQ(rows.cell(row, 6), "/f/" + name);
        }
    }
}

} // namespace
} // namespace quiverel
