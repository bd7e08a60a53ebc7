#include "listing/pe/FileVersion.h"

#include "listing/pe/FileByteSource.h"
#include "listing/pe/PeVersionReader.h"
#include "platform/files/FileSystem.h"

#include <charconv>
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

// The fixed file information of the file, when it was found to be a regular file. A FIFO,
// device or folder is not opened, and the check is made again on the open file so that a file
// swapped for one in between is not read either; the opening keeps even that from blocking or
// taking a terminal.
std::optional<FixedFileInfo> readFixedFileInfoOfFile(const fs::FileRef& file,
                                                     const fs::FileStatus& found) {
    if (found.kind != fs::FileKind::Regular) {
        return std::nullopt;
    }
    const fs::Descriptor opened = file.open();
    if (!opened.isOpen()) {
        failWhenShort(fs::lastError());
        return std::nullopt;
    }
    fs::FileStatus status;
    if (fs::statOpen(opened, status) != 0 || status.kind != fs::FileKind::Regular ||
        status.sizeBytes <= 0) {
        return std::nullopt;
    }
    return readFixedFileInfo(FileByteSource(opened, static_cast<std::uint64_t>(status.sizeBytes)));
}

void appendNumber(std::string& out, std::uint32_t number) {
    char digits[16];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), number).ptr;
    out.append(digits, end);
}

} // namespace

std::optional<VersionNumbers> readFileVersion(const fs::FileRef& file,
                                              const fs::FileStatus& status) {
    const auto info = readFixedFileInfoOfFile(file, status);
    if (!info) {
        return std::nullopt;
    }
    return versionNumbersOf(*info);
}

VersionNumbers versionNumbersOf(const FixedFileInfo& info) {
    return {static_cast<std::uint16_t>(info.fileVersionMS >> 16),
            static_cast<std::uint16_t>(info.fileVersionMS & 0xFFFFu),
            static_cast<std::uint16_t>(info.fileVersionLS >> 16),
            static_cast<std::uint16_t>(info.fileVersionLS & 0xFFFFu)};
}

std::string versionText(const VersionNumbers& version) {
    std::string text;
    appendVersionText(text, version);
    return text;
}

// "major.minor.low": the minor number has two digits at least, build and revision make one
// unsigned number, the low double word.
void appendVersionText(std::string& out, const VersionNumbers& version) {
    appendNumber(out, version[0]);
    out += '.';
    if (version[1] < 10) {
        out += '0';
    }
    appendNumber(out, version[1]);
    out += '.';
    appendNumber(out, (std::uint32_t{version[2]} << 16) | version[3]);
}

} // namespace quiverel
