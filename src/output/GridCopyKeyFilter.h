#pragma once

#include <QObject>

#include <functional>

namespace quiverel {

// Installed on the list grid's view, runs the copy command once for every press of Ctrl+C
// (Shift and Alt may be held too) while the grid has the keyboard focus.
//
// Ctrl+C is also the shortcut of the Edit menu's copy entry. Before Qt treats a key press as a
// shortcut it offers it to the focus widget as a ShortcutOverride event; an accepted override
// keeps the shortcut from firing and delivers the key as an ordinary key press. The filter
// accepts the override for the copy keys (an item view claims Ctrl+C there anyway, for its own
// copy), so while the grid has the focus the menu shortcut stands back, and the filter runs the
// command on the key press and consumes it. With the focus elsewhere in the window the menu
// shortcut runs the command. Either way a press copies exactly once.
//
// The view's own copy key (Ctrl+Insert), which would put the current cell alone on the
// clipboard, is consumed without effect; every other key reaches the view untouched.
class GridCopyKeyFilter : public QObject {
    Q_OBJECT
public:
    explicit GridCopyKeyFilter(std::function<void()> copyCommand, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_copyCommand;
};

} // namespace quiverel
