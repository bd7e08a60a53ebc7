#include "listing/detail/VersionReadAhead.h"

#include "listing/FileFacts.h"
#include "listing/pe/FileByteSource.h"

namespace quiverel {

void readAheadVersion(const fs::Descriptor& folder, const char* name, std::string_view nameText) {
    if (folder.isOpen() && carriesVersion(nameText)) {
        // The reader's first window: the headers, and most often the resource's entries.
        fs::readStartAhead(folder, name, FileByteSource::windowBytes);
    }
}

} // namespace quiverel
