#include "window/OuterPlacement.h"

#include "widgets/Twips.h"
#include "window/DesktopFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace quiverel {
namespace {

// A placement value in twips for a pixel value: while the window still has the pixels the
// stored placement gave it, the stored twips themselves, so a placement survives a run exactly.
float placementTwips(int pixels, int restoredPixels, float restoredTwips, double dpi) {
    return pixels == restoredPixels ? restoredTwips
                                    : static_cast<float>(pixelsToTwips(pixels, dpi));
}

WindowPlacement placementOf(const QRect& outer, const QRect& restored,
                            const WindowPlacement& restoredPlacement, const QWidget& window) {
    const double dpiX = window.logicalDpiX();
    const double dpiY = window.logicalDpiY();
    return {
        placementTwips(outer.x(), restored.x(), restoredPlacement.left, dpiX),
        placementTwips(outer.y(), restored.y(), restoredPlacement.top, dpiY),
        placementTwips(outer.width(), restored.width(), restoredPlacement.width, dpiX),
        placementTwips(outer.height(), restored.height(), restoredPlacement.height, dpiY),
    };
}

DesktopFit desktopFit(const QWidget& window, QSize minimumSize) {
    DesktopFit desktop;
    const QScreen* primary = QGuiApplication::primaryScreen();
    for (const QScreen* screen : QGuiApplication::screens()) {
        desktop.availableAreas.insert(screen == primary ? 0 : desktop.availableAreas.size(),
                                      screen->availableGeometry());
    }
    desktop.minimumSize = minimumSize;
    const WindowPlacement defaults;
    desktop.defaultTopLeft = twipsPoint(window, defaults.left, defaults.top);
    desktop.titleBarHeight =
        std::max(1, window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window));
    return desktop;
}

} // namespace

void OuterPlacement::restore(SettingsStore& settings, QSize smallestUsable) {
    const WindowPlacement stored = readPlacement(settings);
    const QRect storedGeometry =
        twipsRect(m_window, stored.left, stored.top, stored.width, stored.height);
    // A stored placement never opens a window larger than the desktop, too small to use or out
    // of reach; what it keeps of the stored values is stored back exactly.
    m_restoredGeometry = desktopFit(m_window, smallestUsable).fit(storedGeometry);
    m_restoredPlacement = placementOf(m_restoredGeometry, storedGeometry, stored, m_window);
    setOuterGeometry(m_restoredGeometry);
}

void OuterPlacement::save(SettingsStore& settings) const {
    if (m_window.isMinimized()) {
        return;
    }
    // A store that cannot be written loses only the placement, never anything in memory.
    writePlacement(settings, placementOf(m_window.frameGeometry(), m_restoredGeometry,
                                         m_restoredPlacement, m_window));
}

QMargins OuterPlacement::frameMarginsNow() const {
    const QRect frame = m_window.frameGeometry();
    const QRect inner = m_window.geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

void OuterPlacement::setOuterGeometry(const QRect& outer) {
    m_window.setWindowState(m_window.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    const QMargins frame = frameMarginsNow();
    m_window.move(outer.topLeft());
    m_window.resize(std::max(1, outer.width() - frame.left() - frame.right()),
                    std::max(1, outer.height() - frame.top() - frame.bottom()));
    // Before the window is first shown its frame is not known yet.
    m_outerSizeToSettle = frame.isNull() ? outer.size() : QSize();
}

void OuterPlacement::settleOuterSize() {
    const QMargins frame = frameMarginsNow();
    if (m_outerSizeToSettle.isEmpty() || frame.isNull()) {
        return;
    }
    const QSize outer = std::exchange(m_outerSizeToSettle, QSize());
    m_window.resize(std::max(1, outer.width() - frame.left() - frame.right()),
                    std::max(1, outer.height() - frame.top() - frame.bottom()));
}

} // namespace quiverel
