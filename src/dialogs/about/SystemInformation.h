#pragma once

namespace quiverel {

class MessageBox;
class ProgramLauncher;
class SystemInfoLocator;

// Finds the platform's system-information program and starts it.
class SystemInformation {
public:
    SystemInformation(SystemInfoLocator& locator, ProgramLauncher& launcher,
                      MessageBox& messageBox);

    // Starts the program without waiting for it, or tells the user that system information is
    // not available now.
    void StartSysInfo();

private:
    SystemInfoLocator& m_locator;
    ProgramLauncher& m_launcher;
    MessageBox& m_messageBox;
};

} // namespace quiverel
