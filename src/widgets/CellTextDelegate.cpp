#include "widgets/CellTextDelegate.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>
#include <algorithm>

namespace quiverel {

QString visiblePart(const QString& text, const QFontMetrics& metrics, int width) {
    // Characters enough to fill the width four times at the font's average character width.
    const qsizetype enough =
        qsizetype{4} * std::max(width, 1) / std::max(metrics.averageCharWidth(), 1) + 8;
    // A line break, wherever it is, gives the style lines to place one above the other.
    if (text.size() <= enough || text.contains(QLatin1Char('\n')) ||
        text.contains(QChar::LineSeparator) || text.contains(QChar::ParagraphSeparator)) {
        return text;
    }
    // A character outside the basic plane is never split.
    const qsizetype cut = text.at(enough - 1).isHighSurrogate() ? enough + 1 : enough;
    QString part = text.left(cut);
    // Narrow or zero-width characters may leave the part short of the width: then all of it.
    return metrics.horizontalAdvance(part) > 2 * width ? part : text;
}

void CellTextDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    cell.text = visiblePart(cell.text, cell.fontMetrics, cell.rect.width());
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
}

} // namespace quiverel
