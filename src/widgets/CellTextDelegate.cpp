#include "widgets/CellTextDelegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QStyle>
#include <QToolTip>
#include <algorithm>

namespace quiverel {
namespace {

QStyle* styleOf(const QWidget* widget) {
    return widget != nullptr ? widget->style() : QApplication::style();
}

// Whether the style cuts the cell's text: its widest line is wider than the room the style
// leaves for text, inside the margins it keeps on both sides.
bool isCut(const QStyleOptionViewItem& cell) {
    const QStyle* style = styleOf(cell.widget);
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, cell.widget);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, cell.widget) + 1;
    const int room = textRect.width() - 2 * margin;
    const QStringList lines = QString(cell.text).replace(QChar::LineSeparator, u'\n').split(u'\n');
    return std::any_of(lines.begin(), lines.end(), [&](const QString& line) {
        return cell.fontMetrics.horizontalAdvance(line) > room;
    });
}

// The tooltip shows the text as it is: a name holding "<" is never taken for markup, and
// blanks are neither collapsed nor broken at.
QString plainToolTip(const QString& text) {
    return QStringLiteral("<p style='white-space:pre'>%1</p>").arg(text.toHtmlEscaped());
}

} // namespace

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
    styleOf(option.widget)->drawControl(QStyle::CE_ItemViewItem, &cell, painter, option.widget);
}

bool CellTextDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                 const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (event == nullptr || event->type() != QEvent::ToolTip || !index.isValid()) {
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    }
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    if (cell.text.isEmpty() || !isCut(cell)) {
        QToolTip::hideText();
        return true;
    }
    QToolTip::showText(event->globalPos(), plainToolTip(cell.text), view, option.rect);
    return true;
}

} // namespace quiverel
