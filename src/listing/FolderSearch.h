#pragma once

#include "listing/ListingRequest.h"

#include <functional>
#include <string>

namespace quiverel {

class ListingControl;
class NameList;
class WildcardPattern;

// Receives the matching files of one folder: the folder's text (native, no trailing separator
// but for the root) and the names, ascending. Returns false to stop the search.
using FolderFilesSink = std::function<bool(const std::string& folder, const NameList& files)>;

// Searches the folder and all its sub-folders for the files that match the pattern, depth
// first: the files of each sub-folder in ascending name order, then the folder's own files in
// ascending name order. Folders without a matching file are not handed over; the sink does its
// own counting. Hidden files and folders, links to folders and files that are not regular are
// passed over, as is a folder that leads back to one being searched, and, when passOver is
// given, the files and folders whose names match it (such a folder is not entered).
// Lets events through before each descent, and now and then while a huge folder is read; stops
// as soon as it sees the cancel flag set. A folder that cannot be listed throws ListingFailure,
// unless passOverUnreachable is set: the folder is then handed to it and the search goes on
// without it (but not when the system ran short of descriptors or memory).
void searchFolder(const WildcardPattern& pattern, const std::string& folder,
                  ListingControl& control, const FolderFilesSink& takeFiles,
                  const WildcardPattern* passOver = nullptr,
                  const UnreachablePath& passOverUnreachable = {});

} // namespace quiverel
