#pragma once

// A real temporary folder tree for tests, removed with everything in it at the end.

#include "platform/files/Descriptor.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace quiverel::testing {

[[noreturn]] inline void throwSystemError(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

using OpenFolder = fs::Descriptor;

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

class TempTree {
public:
    TempTree() {
        std::string pattern = "/tmp/quiverel-test-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            throwSystemError("mkdtemp");
        }
        m_root = pattern;
    }
    ~TempTree() { removeTree(m_root); }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& root() const { return m_root; }
    std::string path(std::string_view relative) const {
        return m_root + "/" + std::string(relative);
    }

    std::string makeFolder(std::string_view relative) const {
        const std::string folder = path(relative);
        if (::mkdir(folder.c_str(), 0755) != 0) {
            throwSystemError("mkdir " + folder);
        }
        return folder;
    }

    std::string makeFile(std::string_view relative, std::string_view content = {}) const {
        const std::string file = path(relative);
        const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0) {
            throwSystemError("create " + file);
        }
        const bool written =
            ::write(fd, content.data(), content.size()) == static_cast<ssize_t>(content.size());
        ::close(fd);
        if (!written) {
            throwSystemError("write " + file);
        }
        return file;
    }

    std::string makeLink(std::string_view target, std::string_view relative) const {
        const std::string link = path(relative);
        if (::symlink(std::string(target).c_str(), link.c_str()) != 0) {
            throwSystemError("symlink " + link);
        }
        return link;
    }

    // Nests `levels` folders named `name` below the folder `relative` (empty: the root), each
    // holding an empty file `fileName` unless it is empty; returns the deepest folder's path,
    // which may be far longer than PATH_MAX.
    std::string makeChain(std::string_view relative, int levels, const std::string& name,
                          const std::string& fileName) const {
        std::string deepest = relative.empty() ? m_root : path(relative);
        OpenFolder folder(::open(deepest.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        for (int level = 0; level < levels; ++level) {
            if (folder.get() < 0 || ::mkdirat(folder.get(), name.c_str(), 0755) != 0) {
                throwSystemError("make chain");
            }
            folder.reset(::openat(folder.get(), name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
            deepest += "/" + name;
            if (!fileName.empty()) {
                const int fd =
                    ::openat(folder.get(), fileName.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
                if (fd < 0) {
                    throwSystemError("create in chain");
                }
                ::close(fd);
            }
        }
        return deepest;
    }

private:
    std::string m_root;
};

} // namespace quiverel::testing
