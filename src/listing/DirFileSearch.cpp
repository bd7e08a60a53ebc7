#include "listing/DirFileSearch.h"

#include "listing/EventPacer.h"
#include "listing/detail/FolderPath.h"
#include "listing/detail/FolderReader.h"
#include "platform/EventPump.h"

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

bool isCancelled(const SearchControl& control) {
    return control.cancelFlag.load(std::memory_order_relaxed);
}

// True when the folder is one of the folders already being searched (a bind mount of an
// ancestor, for instance): descending into it would never end.
bool leadsBack(const std::vector<PendingFolder>& pending, const FolderContents& folder) {
    return std::any_of(pending.begin(), pending.end(), [&](const PendingFolder& open) {
        return open.contents.device == folder.device && open.contents.inode == folder.inode;
    });
}

// Appends folder + name for each file, keeping the spare empty element last. False when the
// search was cancelled on the way.
bool collectFiles(const std::string& folder, const NameList& files,
                  std::vector<std::string>& sFound, const SearchControl& control) {
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (isCancelled(control)) {
            return false;
        }
        sFound.back() = childPath(folder, files[i]);
        sFound.emplace_back();
        if (control.foundCount != nullptr) {
            control.foundCount->fetch_add(1, std::memory_order_relaxed);
        }
    }
    return true;
}

} // namespace

void DirFileSearch(const WildcardPattern& sPattern, const std::string& CurrDir,
                   std::vector<std::string>& sFound, const SearchControl& control) {
    if (sFound.empty()) {
        sFound.emplace_back();
    }
    searchFolderFiles(sPattern, CurrDir, control,
                      [&](const std::string& folder, const NameList& files) {
                          return collectFiles(folder, files, sFound, control);
                      });
}

void searchFolderFiles(const WildcardPattern& sPattern, const std::string& CurrDir,
                       const SearchControl& control, const FolderFilesSink& takeFiles) {
    if (isCancelled(control)) {
        return;
    }
    // A folder read in part because of a cancel is dropped at the next test of the flag.
    ReadingGoesOn goOn;
    if (control.pacer != nullptr) {
        goOn = [&control] {
            control.pacer->processEventsWhenDue();
            return !isCancelled(control);
        };
    }
    std::string path = folderText(CurrDir);
    std::vector<PendingFolder> pending;
    pending.push_back({path.size(), readFolder(path, sPattern, true, goOn)});
    while (!pending.empty()) {
        if (isCancelled(control)) {
            return;
        }
        PendingFolder& folder = pending.back();
        path.resize(folder.pathLength);
        if (folder.nextSubFolder < folder.contents.subFolders.size()) {
            appendName(path, folder.contents.subFolders[folder.nextSubFolder++]);
            control.pump.processPendingEvents();
            if (isCancelled(control)) {
                return;
            }
            FolderContents subFolder = readFolder(path, sPattern, false, goOn);
            if (!leadsBack(pending, subFolder)) {
                pending.push_back({path.size(), std::move(subFolder)});
            }
        } else {
            if (!folder.contents.files.empty() && !takeFiles(path, folder.contents.files)) {
                return;
            }
            pending.pop_back();
        }
    }
}

} // namespace quiverel
