#include "widgets/FlexGridView.h"

#include "grid/GridModel.h"
#include "widgets/CellTextDelegate.h"
#include "widgets/FlexGridAdapter.h"
#include "widgets/GothicFont.h"
#include "widgets/Twips.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionHeader>

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

namespace quiverel {

// The number column's header: exactly as wide as the grid's column 0, whatever its numbers.
// Once resizing is allowed, its right edge can be dragged like the border of any other column.
class NumberColumnHeader : public QHeaderView {
public:
    NumberColumnHeader(QWidget* parent, std::function<void(int)> widthDragged)
        : QHeaderView(Qt::Vertical, parent), m_widthDragged(std::move(widthDragged)) {}

    void setWidth(int width) {
        m_width = width;
        updateGeometry();
    }
    void allowResizing() { m_resizable = true; }
    QSize sizeHint() const override { return {m_width, QHeaderView::sizeHint().height()}; }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && onEdge(*event)) {
            m_dragging = true;
            return;
        }
        QHeaderView::mousePressEvent(event);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (m_dragging) {
            m_widthDragged(std::max(1, qRound(event->position().x())));
            return;
        }
        if (onEdge(*event)) {
            viewport()->setCursor(Qt::SplitHCursor);
        } else {
            viewport()->unsetCursor();
        }
        QHeaderView::mouseMoveEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (std::exchange(m_dragging, false)) {
            return;
        }
        QHeaderView::mouseReleaseEvent(event);
    }

private:
    // How close to the right edge a press starts a resize, in pixels.
    static constexpr int grip = 4;

    bool onEdge(const QMouseEvent& event) const {
        return m_resizable && event.position().x() >= width() - grip;
    }

    std::function<void(int)> m_widthDragged;
    int m_width = 0;
    bool m_resizable = false;
    bool m_dragging = false;
};

namespace {

// Extra height of a row above the font's line height, in pixels.
constexpr int rowPadding = 3;

} // namespace

FlexGridView::FlexGridView(GridModel& grid, QWidget* parent)
    : QTableView(parent), m_adapter(new FlexGridAdapter(grid, this)),
      m_numberHeader(
          new NumberColumnHeader(this, [this](int width) { takeUserColumnWidth(0, width); })),
      m_corner(findChild<QAbstractButton*>()) {
    setFont(gothicFont());
    setVerticalHeader(m_numberHeader);
    setModel(m_adapter);
    setItemDelegate(new CellTextDelegate(this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    setCornerButtonEnabled(true);
    // Tab leaves the grid for the window's next control.
    setTabKeyNavigation(false);

    setUpHeaders();
    m_corner->installEventFilter(this);
    followGrid();
    routeHeaderPresses();

    m_redraw = grid.Redraw();
    applyColumnFormats();
    updateRepaintState();
    showGridSelection();
}

void FlexGridView::setUpHeaders() {
    const int rowHeight = fontMetrics().height() + rowPadding;
    m_numberHeader->setMinimumSectionSize(1);
    m_numberHeader->setDefaultSectionSize(rowHeight);
    m_numberHeader->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    m_numberHeader->setHighlightSections(false);
    // Clicking a number selects its row, as the view's own header would.
    m_numberHeader->setSectionsClickable(true);
}

void FlexGridView::followGrid() {
    connect(m_adapter, &FlexGridAdapter::selectionChanged, this, &FlexGridView::showGridSelection);
    connect(m_adapter, &FlexGridAdapter::columnFormatChanged, this,
            &FlexGridView::applyColumnFormat);
    connect(m_adapter, &FlexGridAdapter::redrawSwitched, this, &FlexGridView::followRedraw);
    connect(m_adapter, &QAbstractItemModel::modelReset, this, &FlexGridView::applyColumnFormats);
    connect(m_adapter, &QAbstractItemModel::headerDataChanged, m_corner,
            qOverload<>(&QWidget::update));
    // The view's own selecting is never the grid's: whatever changes the view's current cell or
    // selection (focus arriving, rows going) is undone by showing the grid's block again.
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FlexGridView::showGridSelection);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FlexGridView::showGridSelection);
}

void FlexGridView::routeHeaderPresses() {
    // A press on a heading or a number selects through the grid, not through the view.
    for (QHeaderView* header : {horizontalHeader(), static_cast<QHeaderView*>(m_numberHeader)}) {
        disconnect(header, &QHeaderView::sectionPressed, this, nullptr);
        disconnect(header, &QHeaderView::sectionEntered, this, nullptr);
    }
    connect(horizontalHeader(), &QHeaderView::sectionPressed, this, [this](int section) {
        pressHeading(section, QGuiApplication::keyboardModifiers() & Qt::ShiftModifier);
    });
    connect(horizontalHeader(), &QHeaderView::sectionEntered, this,
            [this](int section) { pressHeading(section, true); });
    connect(m_numberHeader, &QHeaderView::sectionPressed, this, [this](int section) {
        pressNumber(section, QGuiApplication::keyboardModifiers() & Qt::ShiftModifier);
    });
    connect(m_numberHeader, &QHeaderView::sectionEntered, this,
            [this](int section) { pressNumber(section, true); });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int section, int, int newSize) { takeUserColumnWidth(section + 1, newSize); });
}

GridModel& FlexGridView::grid() const {
    return m_adapter->grid();
}

void FlexGridView::allowDropsAndColumnResizing() {
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_numberHeader->allowResizing();
}

void FlexGridView::holdRepaint() {
    ++m_repaintHolds;
    updateRepaintState();
}

void FlexGridView::releaseRepaint() {
    m_repaintHolds = std::max(0, m_repaintHolds - 1);
    updateRepaintState();
}

void FlexGridView::updateRepaintState() {
    const bool repaint = m_redraw && m_repaintHolds == 0;
    if (updatesEnabled() != repaint) {
        // Switching updates back on repaints the whole grid once.
        setUpdatesEnabled(repaint);
    }
}

void FlexGridView::followRedraw(bool redraw) {
    m_redraw = redraw;
    if (redraw && updatesEnabled()) {
        viewport()->update();
    }
    updateRepaintState();
}

void FlexGridView::applyColumnFormat(int col) {
    GridModel& model = grid();
    if (col < 0 || col >= model.Cols()) {
        return;
    }
    const int width = twipsToPixels(model.ColWidth(col), logicalDpiX());
    if (col == 0) {
        m_numberHeader->setWidth(width);
        updateGeometries();
    } else if (col - 1 < horizontalHeader()->count()) {
        const bool wasSyncing = std::exchange(m_syncing, true);
        horizontalHeader()->resizeSection(col - 1, width);
        m_syncing = wasSyncing;
    }
    viewport()->update();
}

void FlexGridView::applyColumnFormats() {
    for (int col = 0; col < grid().Cols(); ++col) {
        applyColumnFormat(col);
    }
}

void FlexGridView::takeUserColumnWidth(int col, int width) {
    if (m_syncing || col >= grid().Cols()) {
        return;
    }
    const bool wasSyncing = std::exchange(m_syncing, true);
    grid().setColWidth(col,
                       static_cast<std::int32_t>(std::lround(pixelsToTwips(width, logicalDpiX()))));
    m_syncing = wasSyncing;
    // The number column is not a section of the view: its header follows the grid here.
    if (col == 0) {
        applyColumnFormat(0);
    }
}

void FlexGridView::showGridSelection() {
    if (m_syncing || m_adapter->isFrozen()) {
        return;
    }
    const GridModel& model = grid();
    const int row = model.Row();
    const int col = model.Col();
    // The part of the selected block that lies among the data cells, in model indices.
    const int top = std::max(std::min(row, model.RowSel()), 1) - 1;
    const int bottom = std::min(std::max(row, model.RowSel()), m_adapter->rowCount()) - 1;
    const int left = std::max(std::min(col, model.ColSel()), 1) - 1;
    const int right = std::min(std::max(col, model.ColSel()), m_adapter->columnCount()) - 1;

    m_syncing = true;
    const QModelIndex current = m_adapter->index(row - 1, col - 1);
    if (current.isValid()) {
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    } else {
        selectionModel()->clearCurrentIndex();
    }
    QItemSelection selection;
    if (top <= bottom && left <= right) {
        selection.select(m_adapter->index(top, left), m_adapter->index(bottom, right));
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    m_syncing = false;
}

void FlexGridView::selectBlock(int row, int col, int rowSel, int colSel) {
    GridModel& model = grid();
    const int lastRow = model.Rows() - 1;
    const int lastCol = model.Cols() - 1;
    if (m_adapter->isFrozen() || lastRow < 1 || lastCol < 1) {
        return;
    }
    m_syncing = true;
    model.setRow(std::clamp(row, 1, lastRow));
    model.setCol(std::clamp(col, 1, lastCol));
    model.setRowSel(std::clamp(rowSel, 1, lastRow));
    model.setColSel(std::clamp(colSel, 1, lastCol));
    m_syncing = false;
    showGridSelection();
}

void FlexGridView::scrollToFarCorner() {
    scrollTo(m_adapter->index(grid().RowSel() - 1, grid().ColSel() - 1));
}

QSize FlexGridView::smallestUsefulSize() const {
    // The area of the cells holds one row and leaves room for the scroll bars' arrows.
    const QScrollBar& horizontalBar = *horizontalScrollBar();
    const QScrollBar& verticalBar = *verticalScrollBar();
    const int cellsWidth = horizontalBar.minimumSizeHint().width();
    const int cellsHeight =
        std::max(m_numberHeader->defaultSectionSize(), verticalBar.minimumSizeHint().height());
    const int frames = 2 * frameWidth();
    return {frames + m_numberHeader->sizeHint().width() + cellsWidth +
                verticalBar.sizeHint().width(),
            frames + horizontalHeader()->sizeHint().height() + cellsHeight +
                horizontalBar.sizeHint().height()};
}

void FlexGridView::selectAll() {
    selectBlock(1, 1, grid().Rows() - 1, grid().Cols() - 1);
}

void FlexGridView::keyboardSearch(const QString&) {}

void FlexGridView::pressHeading(int section, bool extend) {
    const int col = section + 1;
    selectBlock(1, extend ? grid().Col() : col, grid().Rows() - 1, col);
}

void FlexGridView::pressNumber(int section, bool extend) {
    const int row = section + 1;
    selectBlock(extend ? grid().Row() : row, 1, row, grid().Cols() - 1);
}

QPoint FlexGridView::cellNear(const QPoint& position) const {
    const QRect area = viewport()->rect();
    const QPoint inside(std::clamp(position.x(), 0, std::max(0, area.right())),
                        std::clamp(position.y(), 0, std::max(0, area.bottom())));
    int row = rowAt(inside.y());
    int col = columnAt(inside.x());
    // Below the last row or right of the last column: the last one.
    if (row < 0) {
        row = m_adapter->rowCount() - 1;
    }
    if (col < 0) {
        col = m_adapter->columnCount() - 1;
    }
    return {col + 1, row + 1};
}

void FlexGridView::mousePressEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !indexAt(position).isValid()) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const QPoint cell = cellNear(position);
    if (event->modifiers() & Qt::ShiftModifier) {
        selectBlock(grid().Row(), grid().Col(), cell.y(), cell.x());
    } else {
        selectBlock(cell.y(), cell.x(), cell.y(), cell.x());
    }
    m_dragging = true;
}

void FlexGridView::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging || !(event->buttons() & Qt::LeftButton)) {
        QAbstractScrollArea::mouseMoveEvent(event);
        return;
    }
    const QPoint cell = cellNear(event->position().toPoint());
    selectBlock(grid().Row(), grid().Col(), cell.y(), cell.x());
    scrollToFarCorner();
}

void FlexGridView::mouseReleaseEvent(QMouseEvent* event) {
    m_dragging = false;
    QAbstractScrollArea::mouseReleaseEvent(event);
}

bool FlexGridView::moveByKey(int key, Qt::KeyboardModifiers modifiers) {
    const GridModel& model = grid();
    const bool extend = modifiers & Qt::ShiftModifier;
    const bool toTheEdge = modifiers & Qt::ControlModifier;
    const int lastRow = model.Rows() - 1;
    const int lastCol = model.Cols() - 1;
    const int page = std::max(1, viewport()->height() / std::max(1, rowHeight(0)) - 1);
    int row = extend ? model.RowSel() : model.Row();
    int col = extend ? model.ColSel() : model.Col();
    switch (key) {
    case Qt::Key_Up:
        row = toTheEdge ? 1 : row - 1;
        break;
    case Qt::Key_Down:
        row = toTheEdge ? lastRow : row + 1;
        break;
    case Qt::Key_Left:
        col = toTheEdge ? 1 : col - 1;
        break;
    case Qt::Key_Right:
        col = toTheEdge ? lastCol : col + 1;
        break;
    case Qt::Key_PageUp:
        row -= page;
        break;
    case Qt::Key_PageDown:
        row += page;
        break;
    case Qt::Key_Home:
        col = 1;
        row = toTheEdge ? 1 : row;
        break;
    case Qt::Key_End:
        col = lastCol;
        row = toTheEdge ? lastRow : row;
        break;
    default:
        return false;
    }
    if (extend) {
        selectBlock(model.Row(), model.Col(), row, col);
    } else {
        selectBlock(row, col, row, col);
    }
    scrollToFarCorner();
    return true;
}

void FlexGridView::keyPressEvent(QKeyEvent* event) {
    if (moveByKey(event->key(), event->modifiers())) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

bool FlexGridView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_corner && event->type() == QEvent::Paint) {
        paintCorner();
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

void FlexGridView::paintCorner() {
    QStyleOptionHeader option;
    option.initFrom(m_corner);
    option.rect = m_corner->rect();
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.text = m_adapter->cornerText();
    option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    QPainter painter(m_corner);
    m_corner->style()->drawControl(QStyle::CE_Header, &option, &painter, m_corner);
}

} // namespace quiverel
