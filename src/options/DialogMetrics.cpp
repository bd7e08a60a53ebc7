#include "options/DialogMetrics.h"

#include "app/Twips.h"

#include <QStringList>
#include <QWidget>

namespace quiverel {

int twipsToPixelsX(const QWidget& widget, int twips) {
    return twipsToPixels(twips, widget.logicalDpiX());
}

int twipsToPixelsY(const QWidget& widget, int twips) {
    return twipsToPixels(twips, widget.logicalDpiY());
}

QPoint twipsPoint(const QWidget& widget, int left, int top) {
    return {twipsToPixelsX(widget, left), twipsToPixelsY(widget, top)};
}

QSize twipsSize(const QWidget& widget, int width, int height) {
    return {twipsToPixelsX(widget, width), twipsToPixelsY(widget, height)};
}

QRect twipsRect(const QWidget& widget, int left, int top, int width, int height) {
    return {twipsPoint(widget, left, top), twipsSize(widget, width, height)};
}

QFont dialogFont() {
    QFont font;
    // The first family that is installed wins; IPA's proportional Gothic stands in for the
    // Windows face on Linux.
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                      QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
    font.setPointSizeF(9.0);
    return font;
}

} // namespace quiverel
