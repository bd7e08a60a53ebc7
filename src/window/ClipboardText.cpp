#include "window/ClipboardText.h"

#include "grid/GridModel.h"
#include "platform/posix/HugePages.h"

#include <algorithm>

namespace quiverel {

CellRect normalisedSelection(const GridModel& grid) {
    return {std::min(grid.Col(), grid.ColSel()), std::max(grid.Col(), grid.ColSel()),
            std::min(grid.Row(), grid.RowSel()), std::max(grid.Row(), grid.RowSel())};
}

bool coversOnlyData(const CellRect& rect) {
    return rect.firstCol >= 1 && rect.lastCol >= 1 && rect.firstRow >= 1 && rect.lastRow >= 1;
}

namespace {

// Makes room for more bytes at the text's end: the room grows geometrically, and each new buffer
// is backed by huge pages where the system offers them, so a text of hundreds of megabytes costs
// few page faults. Room reserved and never written costs no memory.
void makeRoom(std::string& text, std::size_t more) {
    if (text.capacity() - text.size() >= more) {
        return;
    }
    text.reserve(std::max(text.capacity() * 2, text.size() + more));
    fs::adviseHugePages(text.data() + text.size(), text.capacity() - text.size());
}

// Room kept free before each row; a longer row still fits, the string growing by itself.
constexpr std::size_t roomPerRow = std::size_t{64} << 10;

void appendRow(std::string& text, const GridModel& grid, std::int32_t row, const CellRect& rect) {
    makeRoom(text, roomPerRow);
    for (std::int32_t col = rect.firstCol; col <= rect.lastCol; ++col) {
        text += grid.TextMatrix(row, col);
        text += col == rect.lastCol ? "\r\n" : "\t";
    }
}

} // namespace

std::string clipboardText(const GridModel& grid, const CellRect& rect) {
    std::string text;
    // The first row's length, with a quarter more, is a fair guess for every row of a file list.
    appendRow(text, grid, rect.firstRow, rect);
    const std::size_t rows = static_cast<std::size_t>(rect.lastRow - rect.firstRow + 1);
    makeRoom(text, text.size() * (rows - 1) + text.size() * rows / 4);
    for (std::int32_t row = rect.firstRow + 1; row <= rect.lastRow; ++row) {
        appendRow(text, grid, row, rect);
    }
    return text;
}

} // namespace quiverel
