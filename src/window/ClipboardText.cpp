#include "window/ClipboardText.h"

#include "grid/GridModel.h"
#include "kit/HugePages.h"

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

std::size_t rowBytes(const GridModel& grid, std::int32_t row, const CellRect& rect) {
    std::size_t bytes = 1; // the CR of the CR LF; the LF is counted as the last cell's tab
    for (std::int32_t col = rect.firstCol; col <= rect.lastCol; ++col) {
        bytes += grid.TextMatrix(row, col).size() + 1;
    }
    return bytes;
}

// Rows sampled evenly over the block to guess the length of the whole text.
constexpr std::int64_t sampledRows = 4096;

// The text's length, guessed from the sampled rows with half as much again: growing the text
// past its first room would hold the old text and the new one at once, hundreds of megabytes for
// a million rows, while room never written costs nothing.
std::size_t roomGuess(const GridModel& grid, const CellRect& rect) {
    const std::int64_t rows = std::int64_t{rect.lastRow} - rect.firstRow + 1;
    const std::int64_t step = std::max<std::int64_t>(1, rows / sampledRows);
    std::size_t sampled = 0;
    std::size_t count = 0;
    for (std::int64_t offset = 0; offset < rows; offset += step, ++count) {
        sampled += rowBytes(grid, static_cast<std::int32_t>(rect.firstRow + offset), rect);
    }
    return static_cast<std::size_t>(rows) * (sampled / count) * 3 / 2 + roomPerRow;
}

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
    makeRoom(text, roomGuess(grid, rect));
    for (std::int32_t row = rect.firstRow; row <= rect.lastRow; ++row) {
        appendRow(text, grid, row, rect);
    }
    return text;
}

} // namespace quiverel
