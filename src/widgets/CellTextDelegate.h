#pragma once

#include <QStyledItemDelegate>

class QFontMetrics;

namespace quiverel {

// The beginning of the text that a cell width pixels wide can show: the whole text, or a part
// of it that still overflows the cell twice over, so that the part ends well beyond what shows.
QString visiblePart(const QString& text, const QFontMetrics& metrics, int width);

// Paints cells as the styled delegate does, but hands the style only the visible part of a long
// text: the style lays out the whole text it is given, twice, to find where to cut it and put the
// ellipsis, and for long paths that was most of the time a frame took while scrolling.
// A cell whose text is cut shows the whole text as its tooltip; other cells show none.
class CellTextDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
};

} // namespace quiverel
