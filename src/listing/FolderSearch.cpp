#include "listing/FolderSearch.h"

#include "listing/ListingControl.h"
#include "listing/detail/FolderPath.h"
#include "listing/detail/FolderReader.h"

#include <algorithm>

namespace quiverel {
namespace {

// A folder whose entries have been read, waiting for its sub-folders to be searched before its
// own files are collected. The folders being searched form a stack instead of nested calls, so
// a deep tree needs neither a deep call stack nor one open descriptor per level.
struct PendingFolder {
    std::size_t pathLength; // length of the folder's text within the shared path
    FolderContents contents;
    std::size_t nextSubFolder = 0;
};

bool isCancelled(const ListingControl& control) {
    return control.cancelFlag().load(std::memory_order_relaxed);
}

// True when the folder is one of the folders already being searched (a bind mount of an
// ancestor, for instance): descending into it would never end.
bool leadsBack(const std::vector<PendingFolder>& pending, const FolderContents& folder) {
    return std::any_of(pending.begin(), pending.end(), [&](const PendingFolder& open) {
        return open.contents.device == folder.device && open.contents.inode == folder.inode;
    });
}

} // namespace

void searchFolder(const WildcardPattern& pattern, const std::string& folder,
                  ListingControl& control, const FolderFilesSink& takeFiles,
                  const WildcardPattern* passOver) {
    if (isCancelled(control)) {
        return;
    }
    // A folder read in part because of a cancel is dropped at the next test of the flag.
    const ReadingGoesOn goOn = [&control] {
        control.pacer().processEventsWhenDue();
        return !isCancelled(control);
    };
    std::string path = folderText(folder);
    std::vector<PendingFolder> pending;
    pending.push_back({path.size(), readFolder(path, pattern, passOver, true, goOn)});
    while (!pending.empty()) {
        if (isCancelled(control)) {
            return;
        }
        PendingFolder& current = pending.back();
        path.resize(current.pathLength);
        if (current.nextSubFolder < current.contents.subFolders.size()) {
            appendName(path, current.contents.subFolders[current.nextSubFolder++]);
            control.pacer().processPendingEvents();
            if (isCancelled(control)) {
                return;
            }
            FolderContents subFolder = readFolder(path, pattern, passOver, false, goOn);
            if (!leadsBack(pending, subFolder)) {
                pending.push_back({path.size(), std::move(subFolder)});
            }
        } else {
            if (!current.contents.files.empty() && !takeFiles(path, current.contents.files)) {
                return;
            }
            pending.pop_back();
        }
    }
}

} // namespace quiverel
