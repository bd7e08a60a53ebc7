#include "output/GridCopyKeyFilter.h"

#include "app/KeyCodes.h"
#include "output/KeyCodeAnalyze.h"

#include <QKeyEvent>

#include <utility>

namespace quiverel {

GridCopyKeyFilter::GridCopyKeyFilter(std::function<void()> copyCommand, QObject* parent)
    : QObject(parent), m_copyCommand(std::move(copyCommand)) {}

bool GridCopyKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    const bool shortcutOverride = event->type() == QEvent::ShortcutOverride;
    if (!shortcutOverride && event->type() != QEvent::KeyPress) {
        return QObject::eventFilter(watched, event);
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const bool copyKey = isGridCopyKey(virtualKeyCode(key), shiftMask(key));
    if (shortcutOverride) {
        if (copyKey) {
            event->accept();
        }
        return copyKey;
    }
    if (copyKey) {
        m_copyCommand();
        return true;
    }
    return key.matches(QKeySequence::Copy);
}

} // namespace quiverel
