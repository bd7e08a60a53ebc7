#pragma once

#include "platform/Registry.h"

#include <stdexcept>
#include <string>

namespace quiverel {

class MessageBox;
class ProgramLauncher;

// Where the registry names the system-information program: first its full path, failing
// that the folder that holds it.
inline constexpr const char* sysInfoPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* sysInfoPathValue = "PATH";
inline constexpr const char* sysInfoFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char* sysInfoFolderValue = "MSINFO";
inline constexpr const char* sysInfoProgramName = "MSINFO32.EXE";

// A registry value whose data fills the whole buffer without a terminating NUL.
class UnterminatedRegistryValue : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Finds the platform's system-information program through the registry and starts it.
class SystemInformation {
public:
    static constexpr std::uint32_t valueBufferSize = 1024;

    SystemInformation(Registry& registry, ProgramLauncher& launcher, MessageBox& messageBox);

    // Starts the program without waiting for it, or tells the user that system information is
    // not available now.
    void StartSysInfo();

    // Reads the value SubKeyRef of the key KeyName under KeyRoot as text into KeyVal: REG_SZ
    // as its text up to the first NUL, REG_DWORD as the number in decimal; a value of any other
    // type leaves KeyVal as it was. False, with KeyVal emptied, when the key or the value does
    // not exist or the value needs more than valueBufferSize bytes. Throws
    // UnterminatedRegistryValue when the data fills the buffer without a NUL.
    bool GetKeyValue(Registry::Handle KeyRoot, const std::string& KeyName,
                     const std::string& SubKeyRef, std::string& KeyVal);

private:
    Registry& m_registry;
    ProgramLauncher& m_launcher;
    MessageBox& m_messageBox;
};

} // namespace quiverel
