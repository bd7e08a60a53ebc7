#pragma once

#include <QTableView>

namespace quiverel {

class FlexGridAdapter;
class GridModel;
class NumberColumnHeader;

// The list grid on screen: a view of a GridModel. The heading row is the horizontal header,
// the number column the vertical header, and the heading above the numbers sits in the corner.
// The grid's Row/Col and RowSel/ColSel are the one record of the selection: every click, drag,
// key and heading press of the user becomes a change of the grid, and the view only ever shows
// the grid's block (its current cell is the grid's Row/Col). Focus arriving changes nothing.
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

    // The smallest size that shows the heading row and one row of the grid whole, with the
    // number column and both scroll bars, inside the frame.
    QSize smallestUsefulSize() const;

    // The corner button and Ctrl+A: every data cell, from the top-left one.
    void selectAll() override;
    // A grid of file rows has no search by typing.
    void keyboardSearch(const QString& search) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The steps of the constructor: the headings' and numbers' sizes and clicks, the signals that
    // keep the view showing the grid, the presses on headings and numbers.
    void setUpHeaders();
    void followGrid();
    void routeHeaderPresses();

    void showGridSelection();
    // Makes the block (row, col)-(rowSel, colSel), kept among the data cells, the grid's
    // selection.
    void selectBlock(int row, int col, int rowSel, int colSel);
    // Brings the cell the user's drag or keys moved to into sight.
    void scrollToFarCorner();
    // The data cell nearest to a point of the viewport, as grid row and column.
    QPoint cellNear(const QPoint& position) const;
    void pressHeading(int section, bool extend);
    void pressNumber(int section, bool extend);
    // Moves the current cell, or with extend the block's far corner, for a navigation key;
    // false for any other key.
    bool moveByKey(int key, Qt::KeyboardModifiers modifiers);
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
    bool m_dragging = false;
    bool m_redraw = true;
    int m_repaintHolds = 0;
};

} // namespace quiverel
