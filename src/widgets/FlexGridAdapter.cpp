#include "widgets/FlexGridAdapter.h"

#include "grid/GridModel.h"
#include "widgets/CellAlignment.h"

#include <algorithm>

namespace quiverel {
namespace {

int dataCount(std::int32_t gridCount) {
    return std::max(0, gridCount - 1);
}

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

FlexGridAdapter::FlexGridAdapter(GridModel& grid, QObject* parent)
    : QAbstractTableModel(parent), m_grid(grid), m_rows(dataCount(grid.Rows())),
      m_cols(dataCount(grid.Cols())), m_frozen(!grid.Redraw()) {
    m_grid.setObserver(this);
}

FlexGridAdapter::~FlexGridAdapter() {
    m_grid.setObserver(nullptr);
}

QString FlexGridAdapter::cornerText() const {
    return toQString(cellText(0, 0));
}

int FlexGridAdapter::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int FlexGridAdapter::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_cols;
}

std::string_view FlexGridAdapter::cellText(std::int32_t row, std::int32_t col) const {
    if (row < 0 || col < 0 || row >= m_grid.Rows() || col >= m_grid.Cols()) {
        return {};
    }
    return m_grid.TextMatrix(row, col);
}

QVariant FlexGridAdapter::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::TextAlignmentRole)) {
        return {};
    }
    const std::int32_t col = index.column() + 1;
    const std::string_view text = cellText(index.row() + 1, col);
    if (role == Qt::DisplayRole) {
        return toQString(text);
    }
    if (col >= m_grid.Cols()) {
        return {};
    }
    return static_cast<int>(cellAlignment(m_grid.ColAlignment(col), text));
}

QVariant FlexGridAdapter::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole && role != Qt::TextAlignmentRole) {
        return {};
    }
    const bool heading = orientation == Qt::Horizontal;
    const std::int32_t row = heading ? 0 : section + 1;
    const std::int32_t col = heading ? section + 1 : 0;
    const std::string_view text = cellText(row, col);
    if (role == Qt::DisplayRole) {
        return toQString(text);
    }
    if (col >= m_grid.Cols()) {
        return {};
    }
    return static_cast<int>(cellAlignment(m_grid.ColAlignment(col), text));
}

Qt::ItemFlags FlexGridAdapter::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void FlexGridAdapter::resetToGrid() {
    beginResetModel();
    m_rows = dataCount(m_grid.Rows());
    m_cols = dataCount(m_grid.Cols());
    endResetModel();
}

void FlexGridAdapter::followRowCount() {
    const int rows = dataCount(m_grid.Rows());
    if (rows > m_rows) {
        beginInsertRows(QModelIndex(), m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (rows < m_rows) {
        beginRemoveRows(QModelIndex(), rows, m_rows - 1);
        m_rows = rows;
        endRemoveRows();
    }
}

void FlexGridAdapter::gridShapeChanged(std::int32_t, std::int32_t oldCols) {
    if (m_frozen) {
        m_shapeChanged = true;
    } else if (m_grid.Cols() != oldCols) {
        resetToGrid();
    } else {
        followRowCount();
    }
}

void FlexGridAdapter::reportCells(std::int32_t row0, std::int32_t col0, std::int32_t row1,
                                  std::int32_t col1) {
    // Model rows and columns of the block, clipped to what the views know.
    const int firstRow = std::max(row0, 1) - 1;
    const int lastRow = std::min(row1, m_rows) - 1;
    const int firstCol = std::max(col0, 1) - 1;
    const int lastCol = std::min(col1, m_cols) - 1;
    if (row0 == 0 && firstCol <= lastCol) {
        emit headerDataChanged(Qt::Horizontal, firstCol, lastCol);
    }
    if (col0 == 0 && firstRow <= lastRow) {
        emit headerDataChanged(Qt::Vertical, firstRow, lastRow);
    }
    if (firstRow <= lastRow && firstCol <= lastCol) {
        emit dataChanged(index(firstRow, firstCol), index(lastRow, lastCol),
                         {Qt::DisplayRole, Qt::TextAlignmentRole});
    }
}

void FlexGridAdapter::gridCellsChanged(std::int32_t row0, std::int32_t col0, std::int32_t row1,
                                       std::int32_t col1) {
    if (!m_frozen) {
        reportCells(row0, col0, row1, col1);
        return;
    }
    if (!m_cellsChanged) {
        m_cellsChanged = true;
        m_changedRow0 = row0;
        m_changedCol0 = col0;
        m_changedRow1 = row1;
        m_changedCol1 = col1;
        return;
    }
    m_changedRow0 = std::min(m_changedRow0, row0);
    m_changedCol0 = std::min(m_changedCol0, col0);
    m_changedRow1 = std::max(m_changedRow1, row1);
    m_changedCol1 = std::max(m_changedCol1, col1);
}

void FlexGridAdapter::gridColumnFormatChanged(std::int32_t col) {
    emit columnFormatChanged(col);
}

void FlexGridAdapter::gridSelectionChanged() {
    if (!m_frozen) {
        emit selectionChanged();
    }
}

void FlexGridAdapter::thaw() {
    m_frozen = false;
    if (m_shapeChanged) {
        resetToGrid();
    } else if (m_cellsChanged) {
        reportCells(m_changedRow0, m_changedCol0, m_changedRow1, m_changedCol1);
    }
    m_shapeChanged = false;
    m_cellsChanged = false;
}

void FlexGridAdapter::gridRedrawChanged(bool redraw) {
    if (!redraw) {
        m_frozen = true;
        emit redrawSwitched(false);
        return;
    }
    if (m_frozen) {
        thaw();
    }
    emit redrawSwitched(true);
    emit selectionChanged();
}

} // namespace quiverel
