#include "listing/detail/FileSystem.h"

#include "platform/posix/Descriptor.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace quiverel::fs {
namespace {

// Runs operation(dirfd, rest) where rest is short enough for one system call. A long path is
// walked from its start in pieces that each fit, keeping one descriptor open at a time.
template <typename Operation> int walkLongPath(const std::string& path, Operation operation) {
    constexpr std::size_t limit = PATH_MAX - 1;
    if (path.size() <= limit) {
        return operation(AT_FDCWD, path.c_str());
    }
    Descriptor dir(AT_FDCWD);
    std::size_t start = 0;
    while (path.size() - start > limit) {
        const std::size_t cut = path.rfind('/', start + limit - 1);
        if (cut == std::string::npos || cut < start) {
            errno = ENAMETOOLONG;
            return -1;
        }
        // The piece includes its final separator, so a leading "/" opens the root.
        const std::string piece = path.substr(start, cut - start + 1);
        const int next = ::openat(dir.get(), piece.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (next < 0) {
            return -1;
        }
        dir.reset(next);
        start = cut + 1;
    }
    const std::string rest = start < path.size() ? path.substr(start) : std::string(".");
    return operation(dir.get(), rest.c_str());
}

} // namespace

int statPath(const std::string& nativePath, struct stat& out, bool followLinks) {
    const int flags = followLinks ? 0 : AT_SYMLINK_NOFOLLOW;
    const int result = walkLongPath(nativePath, [&](int dirfd, const char* rest) {
        return ::fstatat(dirfd, rest, &out, flags);
    });
    return result == 0 ? 0 : errno;
}

int openPath(const std::string& nativePath, int flags) {
    return walkLongPath(nativePath, [&](int dirfd, const char* rest) {
        return ::openat(dirfd, rest, flags | O_CLOEXEC);
    });
}

int FileRef::stat(struct stat& out) const {
    if (m_path != nullptr) {
        return statPath(*m_path, out);
    }
    return ::fstatat(m_folderFd, m_name, &out, 0) == 0 ? 0 : errno;
}

int FileRef::open(int flags) const {
    if (m_path != nullptr) {
        return openPath(*m_path, flags);
    }
    return ::openat(m_folderFd, m_name, flags | O_CLOEXEC);
}

std::string errorText(int error) {
    return std::strerror(error);
}

} // namespace quiverel::fs
