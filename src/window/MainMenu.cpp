#include "window/MainMenu.h"

#include "window/texts.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace quiverel {
namespace {

QMenu* addMenu(QMenuBar& menuBar, const char* name, const char* caption) {
    QMenu* menu = menuBar.addMenu(QString::fromUtf8(caption));
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction* addEntry(QMenu& menu, const char* name, const char* caption) {
    QAction* action = menu.addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

void addSeparator(QMenu& menu, const char* name) {
    menu.addSeparator()->setObjectName(QString::fromLatin1(name));
}

QAction* addCheckedEntry(QMenu& menu, const char* name, const char* caption) {
    QAction* action = addEntry(menu, name, caption);
    action->setCheckable(true);
    action->setChecked(true);
    return action;
}

} // namespace

MainMenu buildMainMenu(QMenuBar& menuBar) {
    MainMenu entries{};

    QMenu* file = addMenu(menuBar, "mnuFile", mainTexts::mnuFile);
    entries.mnuFileExit = addEntry(*file, "mnuFileExit", mainTexts::mnuFileExit);
    entries.mnuFilePrint = addEntry(*file, "mnuFilePrint", mainTexts::mnuFilePrint);
    entries.mnuFilePrint->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));

    QMenu* edit = addMenu(menuBar, "mnuEdit", mainTexts::mnuEdit);
    entries.mnuEditCopy = addEntry(*edit, "mnuEditCopy", mainTexts::mnuEditCopy);
    entries.mnuEditCopy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));

    QMenu* view = addMenu(menuBar, "mnuView", mainTexts::mnuView);
    entries.mnuViewToolbar = addCheckedEntry(*view, "mnuViewToolbar", mainTexts::mnuViewToolbar);
    entries.mnuViewStatusBar =
        addCheckedEntry(*view, "mnuViewStatusBar", mainTexts::mnuViewStatusBar);
    addSeparator(*view, "mnuViewBar2");
    entries.mnuViewOptions = addEntry(*view, "mnuViewOptions", mainTexts::mnuViewOptions);

    QMenu* help = addMenu(menuBar, "mnuHelp", mainTexts::mnuHelp);
    entries.mnuHelpContents = addEntry(*help, "mnuHelpContents", mainTexts::mnuHelpContents);
    entries.mnuHelpSearch = addEntry(*help, "mnuHelpSearch", mainTexts::mnuHelpSearch);
    addSeparator(*help, "mnuHelpBar1");
    entries.mnuHelpAbout = addEntry(*help, "mnuHelpAbout", mainTexts::mnuHelpAbout);
    return entries;
}

} // namespace quiverel
