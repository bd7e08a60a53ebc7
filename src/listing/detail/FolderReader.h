#pragma once

#include "listing/detail/NameList.h"

#include <functional>
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

// Asked between the entries of a folder being read; false abandons the reading.
using ReadingGoesOn = std::function<bool()>;

// Reads the folder at the native path, passing over the entries whose names match passOver,
// when given (files and folders alike). followLink says whether a link in place of the folder
// itself is followed. goOn, when given, is asked after each entry, since a huge folder takes a
// while to read; once it says false the reading stops and the entries read so far come back
// unsorted, for the caller to drop. Throws ListingFailure when the folder cannot be opened or
// read.
FolderContents readFolder(const std::string& folder, const WildcardPattern& pattern,
                          const WildcardPattern* passOver, bool followLink,
                          const ReadingGoesOn& goOn = {});

} // namespace quiverel
