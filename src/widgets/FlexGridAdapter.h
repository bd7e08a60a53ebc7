#pragma once

#include "grid/GridObserver.h"

#include <QAbstractTableModel>

#include <cstdint>

namespace quiverel {

class GridModel;

// Shows a GridModel to Qt's item views. The grid's heading row (row 0) becomes the horizontal
// header and its number column (column 0) the vertical header, so model index (r, c) is grid
// cell (r + 1, c + 1).
//
// While the grid's Redraw is false the adapter tells the views nothing about changed cells or
// counts: it keeps the counts the views know, answers empty for cells that no longer exist, and
// when Redraw goes true again it resets once (or reports one changed block when only texts
// changed). Selection changes are passed on only while Redraw is true.
class FlexGridAdapter : public QAbstractTableModel, private GridObserver {
    Q_OBJECT

public:
    explicit FlexGridAdapter(GridModel& grid, QObject* parent = nullptr);
    ~FlexGridAdapter() override;

    GridModel& grid() const { return m_grid; }
    // True while the grid's Redraw is false: the views see an earlier state of the grid.
    bool isFrozen() const { return m_frozen; }
    // The text of the heading cell above the number column.
    QString cornerText() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // Row, Col, RowSel or ColSel changed while Redraw is true, or Redraw went true.
    void selectionChanged();
    // The width or alignment of grid column col changed.
    void columnFormatChanged(int col);
    // Redraw was switched; after it went true the views are up to date again.
    void redrawSwitched(bool redraw);

private:
    void gridShapeChanged(std::int32_t oldRows, std::int32_t oldCols) override;
    void gridCellsChanged(std::int32_t row0, std::int32_t col0, std::int32_t row1,
                          std::int32_t col1) override;
    void gridColumnFormatChanged(std::int32_t col) override;
    void gridSelectionChanged() override;
    void gridRedrawChanged(bool redraw) override;

    // The cell's text when it exists in the grid now, else an empty view.
    std::string_view cellText(std::int32_t row, std::int32_t col) const;
    void resetToGrid();
    void followRowCount();
    void reportCells(std::int32_t row0, std::int32_t col0, std::int32_t row1, std::int32_t col1);
    void thaw();

    GridModel& m_grid;
    // The counts of data rows and columns the views know.
    int m_rows = 0;
    int m_cols = 0;
    bool m_frozen = false;
    // What changed while frozen.
    bool m_shapeChanged = false;
    bool m_cellsChanged = false;
    std::int32_t m_changedRow0 = 0;
    std::int32_t m_changedCol0 = 0;
    std::int32_t m_changedRow1 = 0;
    std::int32_t m_changedCol1 = 0;
};

} // namespace quiverel
