#include "app/PlatformParts.h"

#include "platform/win32/Win32ProgramLauncher.h"
#include "platform/win32/Win32SystemInfoLocator.h"

#include <QCoreApplication>
#include <QStringList>

namespace quiverel {

std::vector<std::string> programArguments(int, char**) {
    // argv holds the arguments in the system's code page, which cannot spell every name:
    // QCoreApplication reads the UTF-16 command line instead, the application's options already
    // taken out. Native paths are UTF-8 here.
    const QStringList arguments = QCoreApplication::arguments();
    std::vector<std::string> paths;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        paths.push_back(arguments[i].toStdString());
    }
    return paths;
}

std::unique_ptr<SystemInfoLocator> makeSystemInfoLocator() {
    return std::make_unique<Win32SystemInfoLocator>();
}

std::unique_ptr<ProgramLauncher> makeProgramLauncher() {
    return std::make_unique<Win32ProgramLauncher>();
}

} // namespace quiverel
