#include "grid/GridModel.h"

#include "grid/GridObserver.h"
#include "grid/RowSort.h"

#include <algorithm>
#include <string>

namespace quiverel {
namespace {

constexpr std::int16_t lowestAlignment = 0;

std::string indexError(const char* what, std::int32_t value) {
    return std::string(what) + " out of range: " + std::to_string(value);
}

// Marks the grid's rows as being sorted for as long as it lives.
class SortingMark {
public:
    explicit SortingMark(bool& sorting) : m_sorting(sorting) { m_sorting = true; }
    ~SortingMark() { m_sorting = false; }
    SortingMark(const SortingMark&) = delete;
    SortingMark& operator=(const SortingMark&) = delete;

private:
    bool& m_sorting;
};

} // namespace

GridModel::GridModel() : m_colWidths(2, defaultColWidth), m_colAlignments(2, flexAlignGeneral) {
    m_cells.resize(2);
}

GridModel::~GridModel() = default;

template <typename Notification> void GridModel::notify(Notification notification) const {
    if (m_observer != nullptr) {
        notification(*m_observer);
    }
}

void GridModel::checkRow(std::int32_t row) const {
    if (row < 0 || row >= Rows()) {
        throw GridError(indexError("row", row));
    }
}

void GridModel::checkCol(std::int32_t col) const {
    if (col < 0 || col >= m_cols) {
        throw GridError(indexError("column", col));
    }
}

void GridModel::checkNotSorting() const {
    if (m_sorting) {
        throw GridError("the grid's rows are being sorted");
    }
}

std::int32_t GridModel::Rows() const {
    return static_cast<std::int32_t>(m_cells.rows());
}

void GridModel::setRows(std::int32_t rows) {
    checkNotSorting();
    if (rows < FixedRows()) {
        throw GridError(indexError("row count", rows));
    }
    const std::int32_t oldRows = Rows();
    if (rows == oldRows) {
        return;
    }
    m_cells.resize(static_cast<std::size_t>(rows));
    notify([&](GridObserver& o) { o.gridShapeChanged(oldRows, m_cols); });
    clampSelection();
}

std::int32_t GridModel::Cols() const {
    return m_cols;
}

void GridModel::setCols(std::int32_t cols) {
    checkNotSorting();
    if (cols < FixedCols()) {
        throw GridError(indexError("column count", cols));
    }
    const std::int32_t oldCols = m_cols;
    if (cols == oldCols) {
        return;
    }
    if (cols < oldCols) {
        m_cells.truncateColumns(static_cast<std::size_t>(cols));
    }
    m_cols = cols;
    m_colWidths.resize(static_cast<std::size_t>(cols), defaultColWidth);
    m_colAlignments.resize(static_cast<std::size_t>(cols), flexAlignGeneral);
    notify([&](GridObserver& o) { o.gridShapeChanged(Rows(), oldCols); });
    clampSelection();
}

void GridModel::setSelection(std::int32_t row, std::int32_t col, std::int32_t rowSel,
                             std::int32_t colSel) {
    if (row == m_row && col == m_col && rowSel == m_rowSel && colSel == m_colSel) {
        return;
    }
    m_row = row;
    m_col = col;
    m_rowSel = rowSel;
    m_colSel = colSel;
    notify([](GridObserver& o) { o.gridSelectionChanged(); });
}

void GridModel::clampSelection() {
    const std::int32_t lastRow = Rows() - 1;
    const std::int32_t lastCol = m_cols - 1;
    setSelection(std::min(m_row, lastRow), std::min(m_col, lastCol), std::min(m_rowSel, lastRow),
                 std::min(m_colSel, lastCol));
}

std::int32_t GridModel::Row() const {
    return m_row;
}

void GridModel::setRow(std::int32_t row) {
    checkRow(row);
    setSelection(row, m_col, row, m_col);
}

std::int32_t GridModel::Col() const {
    return m_col;
}

void GridModel::setCol(std::int32_t col) {
    checkCol(col);
    setSelection(m_row, col, m_row, col);
}

std::int32_t GridModel::RowSel() const {
    return m_rowSel;
}

void GridModel::setRowSel(std::int32_t row) {
    checkRow(row);
    setSelection(m_row, m_col, row, m_colSel);
}

std::int32_t GridModel::ColSel() const {
    return m_colSel;
}

void GridModel::setColSel(std::int32_t col) {
    checkCol(col);
    setSelection(m_row, m_col, m_rowSel, col);
}

std::string_view GridModel::Text() const {
    return m_cells.cell(static_cast<std::size_t>(m_row), static_cast<std::size_t>(m_col));
}

void GridModel::setText(std::string_view text) {
    checkNotSorting();
    m_cells.setCell(static_cast<std::size_t>(m_row), static_cast<std::size_t>(m_col), text);
    notify([&](GridObserver& o) { o.gridCellsChanged(m_row, m_col, m_row, m_col); });
}

std::string_view GridModel::TextMatrix(std::int32_t row, std::int32_t col) const {
    checkRow(row);
    checkCol(col);
    return m_cells.cell(static_cast<std::size_t>(row), static_cast<std::size_t>(col));
}

std::int32_t GridModel::ColWidth(std::int32_t col) const {
    checkCol(col);
    return m_colWidths[static_cast<std::size_t>(col)];
}

void GridModel::setColWidth(std::int32_t col, std::int32_t twips) {
    checkCol(col);
    if (twips < 0) {
        throw GridError(indexError("column width", twips));
    }
    m_colWidths[static_cast<std::size_t>(col)] = twips;
    notify([&](GridObserver& o) { o.gridColumnFormatChanged(col); });
}

std::int16_t GridModel::ColAlignment(std::int32_t col) const {
    checkCol(col);
    return m_colAlignments[static_cast<std::size_t>(col)];
}

void GridModel::setColAlignment(std::int32_t col, std::int16_t alignment) {
    checkCol(col);
    if (alignment < lowestAlignment || alignment > flexAlignGeneral) {
        throw GridError(indexError("column alignment", alignment));
    }
    m_colAlignments[static_cast<std::size_t>(col)] = alignment;
    notify([&](GridObserver& o) { o.gridColumnFormatChanged(col); });
}

void GridModel::Clear() {
    checkNotSorting();
    m_cells.clearCells();
    notify([&](GridObserver& o) { o.gridCellsChanged(0, 0, Rows() - 1, m_cols - 1); });
}

bool GridModel::Redraw() const {
    return m_redraw;
}

void GridModel::setRedraw(bool redraw) {
    m_redraw = redraw;
    notify([&](GridObserver& o) { o.gridRedrawChanged(redraw); });
}

void GridModel::setSort(std::int16_t sort, const std::function<void()>& whileSorting) {
    checkNotSorting();
    if (sort != flexSortStringNoCaseAscending) {
        throw GridError(indexError("sort value", sort));
    }
    std::int32_t first = FixedRows();
    std::int32_t last = Rows() - 1;
    if (m_row != m_rowSel) {
        first = std::max(first, std::min(m_row, m_rowSel));
        last = std::max(m_row, m_rowSel);
    }
    if (first >= last) {
        return;
    }
    {
        const SortingMark mark(m_sorting);
        sortRows(m_cells, static_cast<std::size_t>(first), static_cast<std::size_t>(last),
                 static_cast<std::size_t>(std::min(m_col, m_colSel)),
                 static_cast<std::size_t>(std::max(m_col, m_colSel)), whileSorting);
    }
    notify([&](GridObserver& o) { o.gridCellsChanged(first, 0, last, m_cols - 1); });
}

void GridModel::setObserver(GridObserver* observer) {
    m_observer = observer;
}

} // namespace quiverel
