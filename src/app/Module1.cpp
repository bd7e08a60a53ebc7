#include "app/Module1.h"

#include "listing/AbsolutePath.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtEventPump.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtMousePointer.h"
#include "platform/qt/QtProgramLauncher.h"
#include "platform/qt/QtSystemInfoLocator.h"
#include "settings/QtSettingsStore.h"
#include "window/CommandLine.h"
#include "window/frmMain.h"

#include <QApplication>

#include <memory>
#include <string>
#include <vector>

namespace quiverel {
namespace {

// The one main window of the run.
std::unique_ptr<frmMain> mainWindow;

} // namespace

int Main(int argc, char** argv) {
    QApplication application(argc, argv);
    QtMessageBox messageBox;
    QtSettingsStore settings;
    QtClipboard clipboard;
    QtEventPump eventPump;
    QtMousePointer mousePointer;
    QtSystemInfoLocator systemInfoLocator;
    QtProgramLauncher programLauncher;

    // QApplication has taken its own options out of argv: the rest are paths.
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    mainWindow = std::make_unique<frmMain>(
        MainWindowSetup{messageBox, settings, clipboard, eventPump, mousePointer, systemInfoLocator,
                        programLauncher, fileTableFromArguments(arguments, workingDirectory())});
    mainWindow->Form_Load();
    mainWindow->show();
    const int exitCode = QApplication::exec();
    mainWindow.reset();
    return exitCode;
}

} // namespace quiverel
