#include "listing/detail/FileDigest.h"

#include "listing/detail/FileSystem.h"
#include "platform/posix/Descriptor.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace quiverel {

void digestFile(const fs::FileRef& file, const ContentDigest& contentDigest, std::string& digest) {
    digest.clear();
    struct stat status {};
    if (file.stat(status) != 0 || !S_ISREG(status.st_mode)) {
        return;
    }
    const fs::Descriptor fd = file.open(O_RDONLY | O_NONBLOCK | O_NOCTTY);
    if (fd.get() < 0 || ::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return;
    }
    if (!contentDigest(fd.get(), digest)) {
        digest.clear();
    }
}

} // namespace quiverel
