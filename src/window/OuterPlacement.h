#pragma once

#include "settings/WindowPlacement.h"

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace quiverel {

class SettingsStore;

// The main window's outer placement (frame included) and its store in twips: restored once from
// the store, fitted to the desktop, and written back whenever the window moves or resizes. The
// values restored are written back exactly while the window keeps the pixels they gave it.
class OuterPlacement {
public:
    explicit OuterPlacement(QWidget& window) : m_window(window) {}

    // Reads the stored placement, holds it between smallestUsable and the desktop, and gives the
    // window that outer geometry.
    void restore(SettingsStore& settings, QSize smallestUsable);
    // Writes the window's present outer placement; a minimized window writes nothing.
    void save(SettingsStore& settings) const;
    // Gives the outer size asked for before the window first showed, once its frame is known.
    void settleOuterSize();

private:
    void setOuterGeometry(const QRect& outer);
    QMargins frameMarginsNow() const;

    QWidget& m_window;
    // The outer size asked for before the frame was known, until it can be given.
    QSize m_outerSizeToSettle;
    // What restore read, and the geometry it gave the window.
    WindowPlacement m_restoredPlacement;
    QRect m_restoredGeometry;
};

} // namespace quiverel
