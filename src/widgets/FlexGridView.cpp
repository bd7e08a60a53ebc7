#include "widgets/FlexGridView.h"

#include "widgets/FlexGridAdapter.h"
#include "widgets/GothicFont.h"
#include "widgets/Twips.h"
#include "grid/GridModel.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
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
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    setCornerButtonEnabled(true);

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

    m_corner->installEventFilter(this);

    connect(m_adapter, &FlexGridAdapter::selectionChanged, this, &FlexGridView::showGridSelection);
    connect(m_adapter, &FlexGridAdapter::columnFormatChanged, this,
            &FlexGridView::applyColumnFormat);
    connect(m_adapter, &FlexGridAdapter::redrawSwitched, this, &FlexGridView::followRedraw);
    connect(m_adapter, &QAbstractItemModel::modelReset, this, &FlexGridView::applyColumnFormats);
    connect(m_adapter, &QAbstractItemModel::headerDataChanged, m_corner,
            qOverload<>(&QWidget::update));
    // A view moves its current cell first and selects after: only the selection's own signal
    // may move the current cell to where the grid's block starts.
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { takeViewSelection(false); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { takeViewSelection(true); });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int section, int, int newSize) { takeUserColumnWidth(section + 1, newSize); });

    m_redraw = grid.Redraw();
    applyColumnFormats();
    updateRepaintState();
    showGridSelection();
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

void FlexGridView::takeViewSelection(bool mayMoveCurrent) {
    if (m_syncing || m_adapter->isFrozen()) {
        return;
    }
    const QModelIndex current = currentIndex();
    GridModel& model = grid();
    if (!current.isValid() || current.row() + 1 >= model.Rows() ||
        current.column() + 1 >= model.Cols()) {
        return;
    }
    int row = current.row() + 1;
    int col = current.column() + 1;
    int top = row;
    int bottom = row;
    int left = col;
    int right = col;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        top = std::min(top, range.top() + 1);
        bottom = std::max(bottom, range.bottom() + 1);
        left = std::min(left, range.left() + 1);
        right = std::max(right, range.right() + 1);
    }
    int rowSel = row == top ? bottom : top;
    int colSel = col == left ? right : left;
    // The grid's block runs from its current cell to the opposite corner; a current cell
    // inside the block (after selecting everything, say) moves to the top-left corner.
    const bool currentAtCorner = (row == top || row == bottom) && (col == left || col == right);
    if (!currentAtCorner) {
        row = top;
        col = left;
        rowSel = bottom;
        colSel = right;
    }
    m_syncing = true;
    model.setRow(row);
    model.setCol(col);
    model.setRowSel(rowSel);
    model.setColSel(colSel);
    m_syncing = false;
    if (!currentAtCorner && mayMoveCurrent) {
        showGridSelection();
    }
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
