#include "listing/pe/FileVersionGet.h"

#include "listing/pe/FileByteSource.h"
#include "listing/detail/FileSystem.h"
#include "listing/pe/PeVersionReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quiverel {
namespace {

// The fixed file information of the file at the path, when it is a regular file. A FIFO,
// device or folder is not opened, and the check is made again on the open descriptor so that
// a file swapped for one in between is not read either; the open flags keep even that open
// from blocking or taking a terminal.
std::optional<FixedFileInfo> readFixedFileInfoOfFile(const fs::FileRef& file) {
    struct stat status {};
    if (file.stat(status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    const int fd = file.open(O_RDONLY | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        return std::nullopt;
    }
    std::optional<FixedFileInfo> info;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
        info = readFixedFileInfo(FileByteSource(fd, static_cast<std::uint64_t>(status.st_size)));
    }
    ::close(fd);
    return info;
}

} // namespace

// "major.minor.low": the minor number has two digits at least, the low double word is one
// unsigned number.
std::string versionTextOf(const FixedFileInfo& info) {
    const unsigned major = info.fileVersionMS >> 16;
    const unsigned minor = info.fileVersionMS & 0xFFFFu;
    const std::string minorText = (minor < 10 ? "0" : "") + std::to_string(minor);
    return std::to_string(major) + "." + minorText + "." + std::to_string(info.fileVersionLS);
}

void FileVersionGet(const std::string& nativePath, std::string& versionText) {
    FileVersionGet(fs::FileRef::atPath(nativePath), versionText);
}

void FileVersionGet(const fs::FileRef& file, std::string& versionText) {
    versionText.clear();
    if (const auto info = readFixedFileInfoOfFile(file)) {
        versionText = versionTextOf(*info);
    }
}

} // namespace quiverel
