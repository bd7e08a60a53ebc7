#include "window/ClipboardText.h"

#include "grid/GridModel.h"

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

void appendRow(std::string& text, const GridModel& grid, std::int32_t row, const CellRect& rect) {
    for (std::int32_t col = rect.firstCol; col <= rect.lastCol; ++col) {
        text += grid.TextMatrix(row, col);
        text += col == rect.lastCol ? "\r\n" : "\t";
    }
}

} // namespace

std::string clipboardText(const GridModel& grid, const CellRect& rect) {
    std::string text;
    // The first row's length is a fair guess for every row of a file list; the string grows
    // geometrically past it, so the text is still written in a single pass over the cells.
    appendRow(text, grid, rect.firstRow, rect);
    text.reserve(text.size() * static_cast<std::size_t>(rect.lastRow - rect.firstRow + 1));
    for (std::int32_t row = rect.firstRow + 1; row <= rect.lastRow; ++row) {
        appendRow(text, grid, row, rect);
    }
    return text;
}

} // namespace quiverel
