#pragma once

#include "listing/ListingRequest.h"

#include <string>

namespace quiverel {

namespace fs {
class FileRef;
}

// The digest of the file's contents into digest: empty when the file is not a regular file,
// cannot be opened or cannot be read to its end. A FIFO, device or folder is never opened, and
// the check is made again on the open descriptor, whose flags keep even a file swapped for one
// in between from blocking the listing.
void digestFile(const fs::FileRef& file, const ContentDigest& contentDigest, std::string& digest);

} // namespace quiverel
