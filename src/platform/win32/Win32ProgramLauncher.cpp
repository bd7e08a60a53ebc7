#include "platform/win32/Win32ProgramLauncher.h"

#include "platform/files/win32/WidePath.h"

#include <windows.h>

namespace quiverel {

bool Win32ProgramLauncher::fileExists(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    const DWORD attributes = ::GetFileAttributesW(fs::widePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32ProgramLauncher::startDetached(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    const std::wstring program = fs::widePath(path);
    // The program's command line is its own path, quoted: a path with blanks stays one.
    std::wstring commandLine = L"\"" + fs::wideText(path) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &started)) {
        return false;
    }
    // This program has the focus: the new one may take it from here.
    ::AllowSetForegroundWindow(started.dwProcessId);
    ::CloseHandle(started.hThread);
    ::CloseHandle(started.hProcess);
    return true;
}

} // namespace quiverel
