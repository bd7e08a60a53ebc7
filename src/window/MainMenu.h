#pragma once

class QAction;
class QMenuBar;

namespace quiverel {

// The entries of the main window's menu bar.
struct MainMenu {
    QAction* mnuFileExit;
    QAction* mnuFilePrint;
    QAction* mnuEditCopy;
    QAction* mnuViewToolbar;
    QAction* mnuViewStatusBar;
    QAction* mnuViewOptions;
    QAction* mnuHelpContents;
    QAction* mnuHelpSearch;
    QAction* mnuHelpAbout;
};

// Fills the menu bar: File, Edit, View and Help with their entries, access keys, shortcuts
// (Ctrl+P, Ctrl+C) and separators; the two View bar entries are checked.
MainMenu buildMainMenu(QMenuBar& menuBar);

} // namespace quiverel
