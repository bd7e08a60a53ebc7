#pragma once

#include <atomic>
#include <string>
#include <vector>

namespace quiverel {

class EventPump;
class WildcardPattern;

// What a folder search needs from its batch.
struct SearchControl {
    EventPump& pump;                              // handled once before each descent
    const std::atomic<bool>& cancelFlag;          // true stops the search at once
    std::atomic<long long>* foundCount = nullptr; // counts found files, for progress display
};

// Collects the matching files of CurrDir and all its sub-folders into sFound (native paths),
// depth first: the paths of each sub-folder in ascending name order, then the folder's own
// files in ascending name order. sFound keeps one spare empty element at its end.
// Hidden files and folders, links to folders and files that are not regular are passed over.
// A folder that cannot be listed throws ListingFailure.
void DirFileSearch(const WildcardPattern& sPattern, const std::string& CurrDir,
                   std::vector<std::string>& sFound, const SearchControl& control);

} // namespace quiverel
