#include "listing/detail/VersionReadAhead.h"

#include <array>
#include <fcntl.h>

namespace quiverel {
namespace {

// The bytes the version reader takes first: the headers, and with them most often the
// resource's entries.
constexpr off_t firstReadBytes = 16384;

bool namesExecutable(std::string_view name) {
    if (name.size() < 4 || name[name.size() - 4] != '.') {
        return false;
    }
    std::array<char, 3> extension{};
    for (std::size_t i = 0; i < extension.size(); ++i) {
        const char c = name[name.size() - 3 + i];
        extension[i] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    const std::string_view upper(extension.data(), extension.size());
    return upper == "EXE" || upper == "DLL" || upper == "OCX";
}

} // namespace

void readAheadVersion(const fs::Descriptor& folder, const char* name, std::string_view nameText) {
    if (folder.isOpen() && namesExecutable(nameText)) {
        // Never follows a link and never waits: a FIFO put in its place does not block the open.
        const fs::Descriptor file = fs::openOnce([&] {
            return ::openat(folder.get(), name,
                            O_RDONLY | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC);
        });
        if (file.isOpen()) {
            ::posix_fadvise(file.get(), 0, firstReadBytes, POSIX_FADV_WILLNEED);
        }
    }
}

} // namespace quiverel
