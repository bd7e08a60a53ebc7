#pragma once

#include "grid/RowTable.h"

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quiverel {

class GridObserver;

// An index outside the grid, an unknown sort value, a bad width or alignment, a count below the
// fixed heading row or number column, or a change of the cells while the rows are being sorted.
class GridError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

// The list grid: a rectangle of text cells with one fixed heading row and one fixed number
// column. Indices are 0-based. Texts are UTF-8. Cells are stored compactly (see RowTable), so a
// million rows of eight cells take a small fraction of a gigabyte. A text read from the grid
// stays valid until the grid's cells or row count next change.
class GridModel {
public:
    // Column alignments used by the program.
    static constexpr std::int16_t flexAlignLeftCenter = 1;
    static constexpr std::int16_t flexAlignGeneral = 9;
    // The one sort value the program writes: ascending, without regard to case.
    static constexpr std::int16_t flexSortStringNoCaseAscending = 5;
    // Width of a column whose width was never set, in twips.
    static constexpr std::int32_t defaultColWidth = 960;

    GridModel();
    ~GridModel();
    GridModel(const GridModel&) = delete;
    GridModel& operator=(const GridModel&) = delete;

    std::int32_t Rows() const;
    // Smaller discards the rows beyond the count; larger appends empty rows.
    void setRows(std::int32_t rows);
    std::int32_t Cols() const;
    void setCols(std::int32_t cols);
    std::int32_t FixedRows() const { return 1; }
    std::int32_t FixedCols() const { return 1; }

    // The current cell; setting either collapses the selection to the current cell.
    std::int32_t Row() const;
    void setRow(std::int32_t row);
    std::int32_t Col() const;
    void setCol(std::int32_t col);
    // The opposite corner of the selected block.
    std::int32_t RowSel() const;
    void setRowSel(std::int32_t row);
    std::int32_t ColSel() const;
    void setColSel(std::int32_t col);

    // The text of the current cell.
    std::string_view Text() const;
    void setText(std::string_view text);
    // The text of any cell, for views and the copy command.
    std::string_view TextMatrix(std::int32_t row, std::int32_t col) const;

    std::int32_t ColWidth(std::int32_t col) const;
    void setColWidth(std::int32_t col, std::int32_t twips);
    std::int16_t ColAlignment(std::int32_t col) const;
    void setColAlignment(std::int32_t col, std::int16_t alignment);

    // Empties every cell; Rows and Cols stay.
    void Clear();

    bool Redraw() const;
    void setRedraw(bool redraw);

    // Writing 5 re-orders the rows Row..RowSel (all non-fixed rows when Row equals RowSel) by
    // the key columns Col..ColSel, ascending, ASCII letters folded, equal keys in their order.
    // With whileSorting, the order is worked out on other threads while this one calls
    // whileSorting at once and then every few milliseconds: it may read the grid (in the old
    // order) and move the current cell, but changing cells or counts meanwhile throws GridError.
    void setSort(std::int16_t sort, const std::function<void()>& whileSorting = {});

    // One observer at a time (the window's view); nullptr detaches.
    void setObserver(GridObserver* observer);

private:
    void checkRow(std::int32_t row) const;
    void checkCol(std::int32_t col) const;
    void checkNotSorting() const;
    // Keeps the current cell and the selection inside the grid after it shrank.
    void clampSelection();
    void setSelection(std::int32_t row, std::int32_t col, std::int32_t rowSel, std::int32_t colSel);
    template <typename Notification> void notify(Notification notification) const;

    RowTable m_cells;
    std::int32_t m_cols = 2;
    std::int32_t m_row = 1;
    std::int32_t m_col = 1;
    std::int32_t m_rowSel = 1;
    std::int32_t m_colSel = 1;
    bool m_redraw = true;
    bool m_sorting = false;
    std::vector<std::int32_t> m_colWidths;
    std::vector<std::int16_t> m_colAlignments;
    GridObserver* m_observer = nullptr;
};

} // namespace quiverel
