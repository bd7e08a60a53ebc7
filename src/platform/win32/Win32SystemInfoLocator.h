#pragma once

#include "platform/SystemInfoLocator.h"

#include <windows.h>

namespace quiverel {

// Windows' system-information program as the registry names it under root: the full path in
// "SOFTWARE\Microsoft\Shared Tools\MSINFO" (value PATH), the folder in "SOFTWARE\Microsoft\Shared
// Tools Location" (value MSINFO), each looked up afresh at each question. A value whose data
// fills the reading buffer without an end is an answer no program can be started from: an
// empty path, so that the search ends there.
class Win32SystemInfoLocator : public SystemInfoLocator {
public:
    explicit Win32SystemInfoLocator(HKEY root = HKEY_LOCAL_MACHINE);

    std::optional<std::string> programPath() override;
    // The folder's text followed by "\MSINFO32.EXE".
    std::optional<std::string> programInFolder() override;

private:
    HKEY m_root;
};

} // namespace quiverel
