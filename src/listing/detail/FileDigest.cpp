#include "listing/detail/FileDigest.h"

#include "platform/files/FileSystem.h"

namespace quiverel {

void digestFile(const fs::FileRef& file, const ContentDigest& contentDigest, std::string& digest) {
    digest.clear();
    fs::FileStatus status;
    if (file.stat(status) != 0 || status.kind != fs::FileKind::Regular) {
        return;
    }
    const fs::Descriptor opened = file.open();
    if (!opened.isOpen() || fs::statOpen(opened, status) != 0 ||
        status.kind != fs::FileKind::Regular) {
        return;
    }
    if (!contentDigest(opened, digest)) {
        digest.clear();
    }
}

} // namespace quiverel
