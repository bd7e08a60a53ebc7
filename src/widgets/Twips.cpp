#include "widgets/Twips.h"

#include <QRect>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace quiverel {
namespace {

constexpr double twipsPerInch = 1440;

} // namespace

double pixelsToTwips(int pixels, double dpi) {
    return pixels * twipsPerInch / dpi;
}

int twipsToPixels(double twips, double dpi) {
    const double pixels = std::round(twips * dpi / twipsPerInch);
    if (std::isnan(pixels)) {
        return 0;
    }
    return static_cast<int>(std::clamp<double>(pixels, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

int twipsToPixelsX(const QWidget& widget, double twips) {
    return twipsToPixels(twips, widget.logicalDpiX());
}

int twipsToPixelsY(const QWidget& widget, double twips) {
    return twipsToPixels(twips, widget.logicalDpiY());
}

QPoint twipsPoint(const QWidget& widget, double left, double top) {
    return {twipsToPixelsX(widget, left), twipsToPixelsY(widget, top)};
}

QSize twipsSize(const QWidget& widget, double width, double height) {
    return {twipsToPixelsX(widget, width), twipsToPixelsY(widget, height)};
}

QRect twipsRect(const QWidget& widget, double left, double top, double width, double height) {
    return {twipsPoint(widget, left, top), twipsSize(widget, width, height)};
}

} // namespace quiverel
