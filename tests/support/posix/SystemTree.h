#pragma once

// The POSIX side of the temporary trees: the folder made under /tmp and removed at any depth,
// time stamps and lengths set through the system's own calls.

#include "platform/files/Descriptor.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace quiverel::testing {

inline constexpr char nativeSeparator = '/';
// The system's number for a path that leads nowhere.
inline constexpr int missingFileError = ENOENT;

[[noreturn]] inline void throwSystemError(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

using OpenFolder = fs::Descriptor;

// The native path as the standard library takes it: its bytes as they are.
inline std::filesystem::path fileSystemPath(const std::string& nativePath) {
    return nativePath;
}

inline std::string makeTempFolder() {
    std::string pattern = "/tmp/quiverel-test-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        throwSystemError("mkdtemp");
    }
    return pattern;
}

// Removes every entry of the folder except sub-folders; returns the name of one sub-folder, or
// an empty text when none is left.
inline std::string removeFilesFindFolder(int folderFd) {
    const int listFd = ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* stream = listFd < 0 ? nullptr : ::fdopendir(listFd);
    if (stream == nullptr) {
        throwSystemError("list folder");
    }
    std::string subFolder;
    while (const dirent* entry = ::readdir(stream)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        struct stat status {};
        if (::fstatat(folderFd, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISDIR(status.st_mode)) {
            subFolder = name;
            break;
        }
        ::unlinkat(folderFd, entry->d_name, 0);
    }
    ::closedir(stream);
    return subFolder;
}

// Removes a folder tree of any depth without nested calls, holding two descriptors at most:
// it walks down to a folder without sub-folders, empties and removes it, and climbs back up.
inline void removeTree(const std::string& root) {
    OpenFolder folder(::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (folder.get() < 0) {
        return;
    }
    std::vector<std::string> descended;
    while (true) {
        const std::string subFolder = removeFilesFindFolder(folder.get());
        if (!subFolder.empty()) {
            ::fchmodat(folder.get(), subFolder.c_str(), 0700, 0); // a test may have locked it
            const int child = ::openat(folder.get(), subFolder.c_str(),
                                       O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (child < 0) {
                throwSystemError("open " + subFolder);
            }
            folder.reset(child);
            descended.push_back(subFolder);
            continue;
        }
        if (descended.empty()) {
            break;
        }
        folder.reset(::openat(folder.get(), "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (folder.get() < 0) {
            throwSystemError("open parent");
        }
        ::unlinkat(folder.get(), descended.back().c_str(), AT_REMOVEDIR);
        descended.pop_back();
    }
    folder.reset();
    ::rmdir(root.c_str());
}

// Sets the file's last write to the second given (seconds since 1970 UTC, before it too).
inline void setModified(const std::string& path, long long seconds) {
    const timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(seconds), 0}};
    if (::utimensat(AT_FDCWD, path.c_str(), times, 0) != 0) {
        throwSystemError("utimensat " + path);
    }
}

// Makes the file this long, without writing what it grows by.
inline void setLength(const std::string& path, long long bytes) {
    if (::truncate(path.c_str(), static_cast<off_t>(bytes)) != 0) {
        throwSystemError("truncate " + path);
    }
}

} // namespace quiverel::testing
