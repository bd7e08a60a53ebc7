#include "platform/win32/Win32SystemInfoLocator.h"

#include "platform/win32/RegistryText.h"

#include <string_view>

namespace quiverel {
namespace {

std::optional<std::string> answer(const RegistryText& found) {
    if (found.outcome == RegistryTextOutcome::Missing) {
        return std::nullopt;
    }
    return found.text;
}

} // namespace

Win32SystemInfoLocator::Win32SystemInfoLocator(HKEY root) : m_root(root) {}

std::optional<std::string> Win32SystemInfoLocator::programPath() {
    return answer(readRegistryText(m_root, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"));
}

std::optional<std::string> Win32SystemInfoLocator::programInFolder() {
    const RegistryText folder =
        readRegistryText(m_root, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO");
    if (folder.outcome != RegistryTextOutcome::Read) {
        return answer(folder);
    }
    // A folder written with its closing separator does not get a second one.
    const std::string_view text = folder.text;
    const bool closed = text.ends_with('\\') || text.ends_with('/');
    return folder.text + (closed ? "MSINFO32.EXE" : "\\MSINFO32.EXE");
}

} // namespace quiverel
