#pragma once

#include <QTableView>

namespace quiverel {

class FlexGridAdapter;
class GridModel;
class NumberColumnHeader;

// The list grid on screen: a view of a GridModel. The heading row is the horizontal header,
// the number column the vertical header, and the heading above the numbers sits in the corner.
// The view's current cell and selection are the grid's Row/Col and RowSel/ColSel, both ways.
// Column widths and alignments come from the grid; a column the user resizes writes its new
// width back. Rows all have one height. While the grid's Redraw is false nothing repaints.
class FlexGridView : public QTableView {
    Q_OBJECT

public:
    explicit FlexGridView(GridModel& grid, QWidget* parent = nullptr);

    GridModel& grid() const;

    // Lets the user drop files on the grid and resize its columns, the number column included
    // (not its rows).
    void allowDropsAndColumnResizing();

    // Holds repainting while the window moves and sizes the grid; releasing repaints once,
    // unless the grid's Redraw is still false.
    void holdRepaint();
    void releaseRepaint();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showGridSelection();
    void takeViewSelection(bool mayMoveCurrent);
    void applyColumnFormat(int col);
    void applyColumnFormats();
    // The user gave grid column col a new width in pixels.
    void takeUserColumnWidth(int col, int width);
    void followRedraw(bool redraw);
    void updateRepaintState();
    // The heading above the number column, drawn like the other headings.
    void paintCorner();

    FlexGridAdapter* m_adapter;
    NumberColumnHeader* m_numberHeader;
    QWidget* m_corner;
    bool m_syncing = false;
    bool m_redraw = true;
    int m_repaintHolds = 0;
};

} // namespace quiverel
