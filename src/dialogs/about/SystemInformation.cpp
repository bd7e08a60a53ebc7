#include "dialogs/about/SystemInformation.h"

#include "dialogs/about/texts.h"
#include "generated/ProgramInfo.h"
#include "platform/MessageBox.h"
#include "platform/ProgramLauncher.h"
#include "platform/SystemInfoLocator.h"

#include <optional>
#include <string>

namespace quiverel {
namespace {

std::string programInFolder(const std::string& folder) {
    if (!folder.empty() && folder.back() == '/') {
        return folder + sysInfoProgramName;
    }
    return folder + '/' + sysInfoProgramName;
}

} // namespace

SystemInformation::SystemInformation(SystemInfoLocator& locator, ProgramLauncher& launcher,
                                     MessageBox& messageBox)
    : m_locator(locator), m_launcher(launcher), m_messageBox(messageBox) {}

void SystemInformation::StartSysInfo() {
    std::optional<std::string> path = m_locator.programPath();
    if (!path) {
        const std::optional<std::string> folder = m_locator.programFolder();
        if (!folder) {
            m_messageBox.show(aboutTexts::sysInfoUnavailable, program::title);
            return;
        }
        path = programInFolder(*folder);
        if (!m_launcher.fileExists(*path)) {
            m_messageBox.show(aboutTexts::sysInfoUnavailable, program::title);
            return;
        }
    }
    if (!m_launcher.startDetached(*path)) {
        m_messageBox.show(aboutTexts::sysInfoUnavailable, program::title);
    }
}

} // namespace quiverel
