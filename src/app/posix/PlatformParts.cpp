#include "app/PlatformParts.h"

#include "platform/qt/QtProgramLauncher.h"
#include "platform/qt/QtSystemInfoLocator.h"

namespace quiverel {

std::vector<std::string> programArguments(int argc, char** argv) {
    // QApplication has taken its own options out of argv: the rest are paths.
    return std::vector<std::string>(argv + 1, argv + argc);
}

std::unique_ptr<SystemInfoLocator> makeSystemInfoLocator() {
    return std::make_unique<QtSystemInfoLocator>();
}

std::unique_ptr<ProgramLauncher> makeProgramLauncher() {
    return std::make_unique<QtProgramLauncher>();
}

} // namespace quiverel
