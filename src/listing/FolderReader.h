#pragma once

#include "listing/NameList.h"

#include <string>
#include <sys/types.h>

namespace quiverel {

class WildcardPattern;

// What the search takes from one folder, read in one go so that no descriptor stays open.
struct FolderContents {
    NameList subFolders; // not hidden, not links; ascending
    NameList files;      // regular files (or links to them), not hidden, matching; ascending
    dev_t device = 0;    // identity of the folder, to notice a tree that leads back into itself
    ino_t inode = 0;
};

// Reads the folder at the native path. followLink says whether a link in place of the folder
// itself is followed. Throws ListingFailure when the folder cannot be opened or read.
FolderContents readFolder(const std::string& folder, const WildcardPattern& pattern,
                          bool followLink);

} // namespace quiverel
