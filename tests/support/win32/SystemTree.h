#pragma once

// The Windows side of the temporary trees: the folder made in the user's temporary folder,
// every path given to the system in its "\\?\" form so that trees past 260 characters can be
// made and removed, time stamps and lengths set through the system's own calls.

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace quiverel::testing {

inline constexpr char nativeSeparator = '\\';
// The system's number for a path that leads nowhere.
inline constexpr int missingFileError = ERROR_FILE_NOT_FOUND;

[[noreturn]] inline void throwSystemError(const std::string& what) {
    throw std::system_error(static_cast<int>(::GetLastError()), std::system_category(), what);
}

inline std::string utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// The native path (UTF-8, "\" between its parts) as the standard library takes it: an absolute
// path in the form that reaches any length.
inline std::filesystem::path fileSystemPath(const std::string& nativePath) {
    const std::filesystem::path path(std::u8string(nativePath.begin(), nativePath.end()));
    if (!path.has_root_name() || !path.has_root_directory()) {
        return path;
    }
    return std::filesystem::path(LR"(\\?\)" + path.native());
}

inline std::string makeTempFolder() {
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path folder = base / ("quiverel-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(folder)) {
            return utf8Of(folder);
        }
    }
    throw std::runtime_error("no temporary folder could be made in " + utf8Of(base));
}

inline void removeTree(const std::string& root) {
    std::error_code ignored;
    std::filesystem::remove_all(fileSystemPath(root), ignored);
}

// The file opened to change what the system keeps about it; closed when the handle goes.
class ChangeHandle {
public:
    ChangeHandle(const std::string& path, DWORD access)
        : m_handle(::CreateFileW(fileSystemPath(path).c_str(), access,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)) {
        if (m_handle == INVALID_HANDLE_VALUE) {
            throwSystemError("open " + path);
        }
    }
    ~ChangeHandle() { ::CloseHandle(m_handle); }
    ChangeHandle(const ChangeHandle&) = delete;
    ChangeHandle& operator=(const ChangeHandle&) = delete;
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle;
};

// Sets the file's last write to the second given (seconds since 1970 UTC, before it too).
inline void setModified(const std::string& path, long long seconds) {
    constexpr std::int64_t epochInFileTime = 116444736000000000;
    const auto steps = static_cast<std::uint64_t>(seconds * 10000000 + epochInFileTime);
    const FILETIME written{static_cast<DWORD>(steps), static_cast<DWORD>(steps >> 32)};
    const ChangeHandle file(path, FILE_WRITE_ATTRIBUTES);
    if (!::SetFileTime(file.get(), nullptr, nullptr, &written)) {
        throwSystemError("SetFileTime " + path);
    }
}

// Makes the file this long, without writing what it grows by.
inline void setLength(const std::string& path, long long bytes) {
    const ChangeHandle file(path, GENERIC_WRITE);
    LARGE_INTEGER end{};
    end.QuadPart = bytes;
    if (!::SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) || !::SetEndOfFile(file.get())) {
        throwSystemError("set the length of " + path);
    }
}

} // namespace quiverel::testing
