#include "listing/detail/VersionReadAhead.h"

#include "listing/FileFacts.h"
#include "listing/pe/FileByteSource.h"

#include <fcntl.h>

namespace quiverel {

void readAheadVersion(const fs::Descriptor& folder, const char* name, std::string_view nameText) {
    if (folder.isOpen() && carriesVersion(nameText)) {
        // Never follows a link and never waits: a FIFO put in its place does not block the open.
        const fs::Descriptor file = fs::openOnce([&] {
            return ::openat(folder.get(), name,
                            O_RDONLY | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC);
        });
        if (file.isOpen()) {
            // The reader's first window: the headers, and most often the resource's entries.
            ::posix_fadvise(file.get(), 0, FileByteSource::windowBytes, POSIX_FADV_WILLNEED);
        }
    }
}

} // namespace quiverel
