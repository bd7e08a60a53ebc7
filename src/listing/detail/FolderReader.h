#pragma once

#include "listing/detail/NameList.h"
#include "platform/files/FileSystem.h"

#include <functional>
#include <string>

namespace quiverel {

class WildcardPattern;

// What the search takes from one folder, read in one go; the folder's descriptor comes with it,
// for the caller to reach the folder's entries by name or to give back.
struct FolderContents {
    NameList subFolders;       // not hidden, not links; ascending
    NameList files;            // regular files (or links to them), not hidden, matching; ascending
    fs::FileIdentity identity; // to notice a tree that leads back into itself
    fs::Descriptor descriptor; // none where the system offers no opening by name
};

// Asked between the entries of a folder being read; false abandons the reading.
using ReadingGoesOn = std::function<bool()>;

// Reads the folder at the native path, or through opened when that holds it already (opened by
// name inside its parent, say), passing over the entries whose names match passOver, when given
// (files and folders alike). followLink says whether a link in place of the folder
// itself is followed. goOn, when given, is asked after each entry, since a huge folder takes a
// while to read; once it says false the reading stops and the entries read so far come back
// unsorted, for the caller to drop. Throws ListingFailure when the folder cannot be opened or
// read.
FolderContents readFolder(const std::string& folder, fs::Descriptor opened,
                          const WildcardPattern& pattern, const WildcardPattern* passOver,
                          bool followLink, const ReadingGoesOn& goOn = {});

} // namespace quiverel
