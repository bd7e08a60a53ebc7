#pragma once

#include <cstdint>

namespace quiverel {

// Told of every change of a GridModel, so that a view can follow it.
class GridObserver {
public:
    virtual ~GridObserver() = default;
    // Rows were appended or discarded at the end (or both counts changed through Cols).
    virtual void gridShapeChanged(std::int32_t oldRows, std::int32_t oldCols) = 0;
    // The texts of the block [row0..row1] x [col0..col1] may have changed.
    virtual void gridCellsChanged(std::int32_t row0, std::int32_t col0, std::int32_t row1,
                                  std::int32_t col1) = 0;
    // The width or alignment of column col changed.
    virtual void gridColumnFormatChanged(std::int32_t col) = 0;
    // Row, Col, RowSel or ColSel changed.
    virtual void gridSelectionChanged() = 0;
    // Redraw was switched; true means the view repaints once now.
    virtual void gridRedrawChanged(bool redraw) = 0;
};

} // namespace quiverel
