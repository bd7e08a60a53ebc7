#include "app/Twips.h"

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

} // namespace quiverel
