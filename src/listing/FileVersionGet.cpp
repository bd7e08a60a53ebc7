#include "listing/FileVersionGet.h"

#include "listing/FileByteSource.h"
#include "listing/FileSystem.h"
#include "listing/PeVersionReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>

namespace quiverel {
namespace {

// A file that cannot be reached for want of descriptors or memory may well have a version:
// reading none is no answer.
void failWhenShort(int error) {
    if (fs::isShortOfResources(error)) {
        throw std::system_error(error, std::generic_category());
    }
}

// The fixed file information of the file at the path, when it is a regular file. A FIFO,
// device or folder is not opened, and the check is made again on the open descriptor so that
// a file swapped for one in between is not read either; the open flags keep even that open
// from blocking or taking a terminal.
std::optional<FixedFileInfo> readFixedFileInfoOfFile(const fs::FileRef& file) {
    struct stat status {};
    const int error = file.stat(status);
    failWhenShort(error);
    if (error != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    const fs::Descriptor fd = file.open(O_RDONLY | O_NONBLOCK | O_NOCTTY);
    if (!fd.isOpen()) {
        failWhenShort(errno);
        return std::nullopt;
    }
    if (::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_size <= 0) {
        return std::nullopt;
    }
    return readFixedFileInfo(FileByteSource(fd.get(), static_cast<std::uint64_t>(status.st_size)));
}

} // namespace

// "major.minor.low": the minor number has two digits at least, the low double word is one
// unsigned number.
std::string versionTextOf(const FixedFileInfo& info) {
    const unsigned major = info.fileVersionMS >> 16;
    const unsigned minor = info.fileVersionMS & 0xFFFFu;
    std::string text = std::to_string(major);
    text += minor < 10 ? ".0" : ".";
    text += std::to_string(minor);
    text += '.';
    text += std::to_string(info.fileVersionLS);
    return text;
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
