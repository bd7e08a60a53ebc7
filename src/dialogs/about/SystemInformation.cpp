#include "dialogs/about/SystemInformation.h"

#include "dialogs/about/texts.h"
#include "generated/ProgramInfo.h"
#include "platform/MessageBox.h"
#include "platform/ProgramLauncher.h"
#include "platform/SystemInfoLocator.h"

#include <optional>
#include <string>

namespace quiverel {

SystemInformation::SystemInformation(SystemInfoLocator& locator, ProgramLauncher& launcher,
                                     MessageBox& messageBox)
    : m_locator(locator), m_launcher(launcher), m_messageBox(messageBox) {}

void SystemInformation::StartSysInfo() {
    std::optional<std::string> path = m_locator.programPath();
    if (!path) {
        path = m_locator.programInFolder();
        if (!path || !m_launcher.fileExists(*path)) {
            m_messageBox.show(aboutTexts::sysInfoUnavailable, program::title);
            return;
        }
    }
    if (!m_launcher.startDetached(*path)) {
        m_messageBox.show(aboutTexts::sysInfoUnavailable, program::title);
    }
}

} // namespace quiverel
