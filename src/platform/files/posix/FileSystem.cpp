#include "platform/files/FileSystem.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quiverel::fs {
namespace {

constexpr int readingFlags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

// Runs operation(dirfd, rest, heldHere) where rest is short enough for one system call and
// heldHere tells how many descriptors the walk holds meanwhile. A long path is walked from its
// start in pieces that each fit, keeping one descriptor open at a time.
template <typename Operation> int walkLongPath(const std::string& path, Operation operation) {
    constexpr std::size_t limit = PATH_MAX - 1;
    if (path.size() <= limit) {
        return operation(AT_FDCWD, path.c_str(), 0);
    }
    Descriptor dir;
    int dirfd = AT_FDCWD;
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
            [&] { return ::openat(dirfd, piece.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC); },
            dir.isOpen() ? 1 : 0);
        if (!next.isOpen()) {
            return -1;
        }
        dir = std::move(next);
        dirfd = dir.get();
        start = cut + 1;
    }
    const std::string rest = start < path.size() ? path.substr(start) : std::string(".");
    return operation(dirfd, rest.c_str(), 1);
}

FileKind kindOf(mode_t mode) {
    if (S_ISREG(mode)) {
        return FileKind::Regular;
    }
    return S_ISDIR(mode) ? FileKind::Folder : FileKind::Other;
}

void take(const struct stat& status, FileStatus& out) {
    out.kind = kindOf(status.st_mode);
    out.sizeBytes = static_cast<std::int64_t>(status.st_size);
    out.modifiedSeconds = static_cast<std::int64_t>(status.st_mtim.tv_sec);
    out.identity = {static_cast<std::uint64_t>(status.st_dev),
                    static_cast<std::uint64_t>(status.st_ino)};
}

int statAt(int dirfd, const char* name, FileStatus& out, int flags) {
    struct stat status {};
    if (::fstatat(dirfd, name, &status, flags) != 0) {
        return errno;
    }
    take(status, out);
    return 0;
}

Descriptor openAtPath(const std::string& nativePath, int flags) {
    Descriptor opened;
    walkLongPath(nativePath, [&](int dirfd, const char* rest, int heldHere) {
        opened = openWhenFree([&] { return ::openat(dirfd, rest, flags | O_CLOEXEC); }, heldHere);
        return opened.get();
    });
    return opened;
}

} // namespace

int lastError() {
    return errno;
}

void setLastError(int error) {
    errno = error;
}

void detail::close(NativeHandle handle) {
    ::close(handle);
}

bool isOutOfDescriptors(int error) {
    return error == EMFILE || error == ENFILE;
}

bool isShortOfResources(int error) {
    return isOutOfDescriptors(error) || error == ENOMEM;
}

int statPath(const std::string& nativePath, FileStatus& out, bool followLinks) {
    const int flags = followLinks ? 0 : AT_SYMLINK_NOFOLLOW;
    const int result = walkLongPath(nativePath, [&](int dirfd, const char* rest, int) {
        const int error = statAt(dirfd, rest, out, flags);
        errno = error;
        return error == 0 ? 0 : -1;
    });
    return result == 0 ? 0 : errno;
}

int statOpen(const Descriptor& file, FileStatus& out) {
    return statAt(file.get(), "", out, AT_EMPTY_PATH);
}

Descriptor openForReading(const std::string& nativePath) {
    return openAtPath(nativePath, readingFlags);
}

Descriptor openFolder(const std::string& nativePath, bool followLink) {
    return openAtPath(nativePath, O_RDONLY | O_DIRECTORY | (followLink ? 0 : O_NOFOLLOW));
}

Descriptor openFolderBase(const std::string& nativePath) {
    return openAtPath(nativePath, O_PATH | O_DIRECTORY);
}

Descriptor openSubFolder(const Descriptor& parent, const char* name) {
    return openOnce([&] {
        return ::openat(parent.get(), name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    });
}

bool mayKeepDescriptors() {
    // Descriptors are kept only where the process may have this many.
    constexpr rlim_t leastDescriptorLimit = 1024;
    rlimit limit{};
    return ::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur >= leastDescriptorLimit;
}

int FileRef::stat(FileStatus& out) const {
    if (!byName()) {
        return statPath(m_path, out);
    }
    return statAt(m_folder->get(), m_name, out, 0);
}

Descriptor FileRef::open() const {
    if (byName()) {
        Descriptor file = openOnce([&] { return ::openat(m_folder->get(), m_name, readingFlags); });
        if (file.isOpen() || !isOutOfDescriptors(errno)) {
            return file;
        }
        // Waiting for a descriptor, this thread holds none; the folder's files go by path now.
        m_folder->reset();
    }
    return openForReading(m_path);
}

std::size_t readAt(const Descriptor& file, std::uint64_t offset, std::span<std::uint8_t> out) {
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t got = ::pread(file.get(), out.data() + done, out.size() - done,
                                    static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

std::ptrdiff_t readNext(const Descriptor& file, std::span<std::uint8_t> out) {
    while (true) {
        const ssize_t got = ::read(file.get(), out.data(), out.size());
        if (got >= 0 || errno != EINTR) {
            return got;
        }
    }
}

void adviseSequential(const Descriptor& file) {
    ::posix_fadvise(file.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
}

void readEntriesAhead(const std::string& nativePath) {
    const Descriptor folder = openOnce([&] {
        return ::open(nativePath.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    });
    if (!folder.isOpen()) {
        return;
    }
    alignas(dirent64) char buffer[32768];
    while (::getdents64(folder.get(), buffer, sizeof buffer) > 0) {
    }
}

void readStartAhead(const Descriptor& folder, const char* name, std::size_t bytes) {
    const Descriptor file =
        openOnce([&] { return ::openat(folder.get(), name, readingFlags | O_NOFOLLOW); });
    if (file.isOpen()) {
        ::posix_fadvise(file.get(), 0, static_cast<off_t>(bytes), POSIX_FADV_WILLNEED);
    }
}

std::string errorText(int error) {
    return std::strerror(error);
}

long blocksReadByThisThread() {
    rusage usage{};
    return ::getrusage(RUSAGE_THREAD, &usage) == 0 ? usage.ru_inblock : 0;
}

} // namespace quiverel::fs
