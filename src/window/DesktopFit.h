#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace quiverel {

// Where a window opens from a stored outer geometry in pixels, on screens whose available areas
// are given, the primary screen's first.
struct DesktopFit {
    QList<QRect> availableAreas;
    // The smallest outer size that still leaves the window usable.
    QSize minimumSize;
    // Where a window opens that would otherwise be out of reach.
    QPoint defaultTopLeft;
    int titleBarHeight = 0;

    // The size is held between the minimum and the available area of the screen the window
    // opens on; a window with no part of its title bar on any screen opens at the default place.
    // Without screens the geometry stays as it is.
    QRect fit(const QRect& outer) const;
};

} // namespace quiverel
