#pragma once

#include <cstdint>
#include <string>

namespace quiverel {

class GridModel;

// A block of grid cells with first <= last in both directions.
struct CellRect {
    std::int32_t firstCol = 0;
    std::int32_t lastCol = 0;
    std::int32_t firstRow = 0;
    std::int32_t lastRow = 0;
    bool operator==(const CellRect&) const = default;
};

// The grid's selection as a block, whichever corner the user started from.
CellRect normalisedSelection(const GridModel& grid);

// True when the block lies wholly among the file rows and data columns: it touches neither the
// heading row nor the "No." column.
bool coversOnlyData(const CellRect& rect);

// The block as clipboard text: the cells of a row left to right with a tab between two cells,
// every row (the last too) ended by CR LF, cell texts unchanged.
std::string clipboardText(const GridModel& grid, const CellRect& rect);

} // namespace quiverel
