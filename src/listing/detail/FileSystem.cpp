#include "listing/detail/FileSystem.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace quiverel::fs {
namespace {

// Runs operation(dirfd, rest, heldHere) where rest is short enough for one system call and
// heldHere tells how many descriptors the walk holds meanwhile. A long path is walked from its
// start in pieces that each fit, keeping one descriptor open at a time.
template <typename Operation> int walkLongPath(const std::string& path, Operation operation) {
    constexpr std::size_t limit = PATH_MAX - 1;
    if (path.size() <= limit) {
        return operation(AT_FDCWD, path.c_str(), 0);
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
        Descriptor next = openWhenFree(
            [&] { return ::openat(dir.get(), piece.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC); },
            dir.isOpen() ? 1 : 0);
        if (!next.isOpen()) {
            return -1;
        }
        dir = std::move(next);
        start = cut + 1;
    }
    const std::string rest = start < path.size() ? path.substr(start) : std::string(".");
    return operation(dir.get(), rest.c_str(), 1);
}

} // namespace

int statPath(const std::string& nativePath, struct stat& out, bool followLinks) {
    const int flags = followLinks ? 0 : AT_SYMLINK_NOFOLLOW;
    const int result = walkLongPath(nativePath, [&](int dirfd, const char* rest, int) {
        return ::fstatat(dirfd, rest, &out, flags);
    });
    return result == 0 ? 0 : errno;
}

Descriptor openPath(const std::string& nativePath, int flags) {
    Descriptor opened(-1);
    walkLongPath(nativePath, [&](int dirfd, const char* rest, int heldHere) {
        opened = openWhenFree([&] { return ::openat(dirfd, rest, flags | O_CLOEXEC); }, heldHere);
        return opened.get();
    });
    return opened;
}

int FileRef::stat(struct stat& out) const {
    if (!byName()) {
        return statPath(m_path, out);
    }
    return ::fstatat(m_folder->get(), m_name, &out, 0) == 0 ? 0 : errno;
}

Descriptor FileRef::open(int flags) const {
    if (byName()) {
        Descriptor file =
            openOnce([&] { return ::openat(m_folder->get(), m_name, flags | O_CLOEXEC); });
        if (file.isOpen() || !isOutOfDescriptors(errno)) {
            return file;
        }
        // Waiting for a descriptor, this thread holds none; the folder's files go by path now.
        m_folder->reset(-1);
    }
    return openPath(m_path, flags);
}

std::string errorText(int error) {
    return std::strerror(error);
}

long blocksReadByThisThread() {
    rusage usage{};
    return ::getrusage(RUSAGE_THREAD, &usage) == 0 ? usage.ru_inblock : 0;
}

} // namespace quiverel::fs
