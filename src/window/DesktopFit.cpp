#include "window/DesktopFit.h"

#include <algorithm>

namespace quiverel {
namespace {

int held(int value, int smallest, int largest) {
    // Where the screen is smaller than the smallest usable window, the window stays usable.
    return std::max(smallest, std::min(value, largest));
}

} // namespace

QRect DesktopFit::fit(const QRect& outer) const {
    if (availableAreas.isEmpty()) {
        return outer;
    }
    const auto sized = [this](QPoint topLeft, QSize size) {
        const auto area = std::find_if(availableAreas.cbegin(), availableAreas.cend(),
                                       [&](const QRect& each) { return each.contains(topLeft); });
        const QSize largest =
            (area == availableAreas.cend() ? availableAreas.front() : *area).size();
        return QRect(topLeft, QSize(held(size.width(), minimumSize.width(), largest.width()),
                                    held(size.height(), minimumSize.height(), largest.height())));
    };
    const QRect placed = sized(outer.topLeft(), outer.size());
    const QRect titleBar(placed.topLeft(), QSize(placed.width(), titleBarHeight));
    const bool titleBarShows =
        std::any_of(availableAreas.cbegin(), availableAreas.cend(),
                    [&](const QRect& area) { return area.intersects(titleBar); });
    return titleBarShows ? placed : sized(defaultTopLeft, outer.size());
}

} // namespace quiverel
