#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace quiverel {

class EventPacer;
class EventPump;
class NameList;
class WildcardPattern;

// What a folder search needs from its batch.
struct SearchControl {
    EventPump& pump;                              // handled once before each descent
    const std::atomic<bool>& cancelFlag;          // true stops the search at once
    std::atomic<long long>* foundCount = nullptr; // counts found files, for progress display
    // When given, also lets events through now and then while a huge folder is read (the
    // search then stops as soon as it sees the cancel flag set).
    EventPacer* pacer = nullptr;
};

// Collects the matching files of CurrDir and all its sub-folders into sFound (native paths),
// depth first: the paths of each sub-folder in ascending name order, then the folder's own
// files in ascending name order. sFound keeps one spare empty element at its end.
// Hidden files and folders, links to folders and files that are not regular are passed over.
// A folder that cannot be listed throws ListingFailure.
void DirFileSearch(const WildcardPattern& sPattern, const std::string& CurrDir,
                   std::vector<std::string>& sFound, const SearchControl& control);

// Receives the matching files of one folder: the folder's text (native, no trailing separator
// but for the root) and the names, ascending. Returns false to stop the search.
using FolderFilesSink = std::function<bool(const std::string& folder, const NameList& files)>;

// The same search, handing over each folder's files where DirFileSearch collects their paths:
// the same order, the same yields, cancel tests and failures. Folders without a matching file
// are not handed over. The sink does its own counting.
void searchFolderFiles(const WildcardPattern& sPattern, const std::string& CurrDir,
                       const SearchControl& control, const FolderFilesSink& takeFiles);

} // namespace quiverel
