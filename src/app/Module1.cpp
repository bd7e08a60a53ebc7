#include "app/Module1.h"

#include "app/PlatformParts.h"
#include "listing/AbsolutePath.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtEventPump.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtMousePointer.h"
#include "settings/UserSettingsStore.h"
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
    const std::unique_ptr<SettingsStore> settings = makeUserSettingsStore();
    QtClipboard clipboard;
    QtEventPump eventPump;
    QtMousePointer mousePointer;
    const std::unique_ptr<SystemInfoLocator> systemInfoLocator = makeSystemInfoLocator();
    const std::unique_ptr<ProgramLauncher> programLauncher = makeProgramLauncher();

    const std::vector<std::string> arguments = programArguments(argc, argv);
    mainWindow = std::make_unique<frmMain>(MainWindowSetup{
        messageBox, *settings, clipboard, eventPump, mousePointer, *systemInfoLocator,
        *programLauncher, fileTableFromArguments(arguments, workingDirectory())});
    mainWindow->Form_Load();
    mainWindow->show();
    const int exitCode = QApplication::exec();
    mainWindow.reset();
    return exitCode;
}

} // namespace quiverel
