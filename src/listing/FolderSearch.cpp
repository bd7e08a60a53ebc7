#include "listing/FolderSearch.h"

#include "listing/ListingControl.h"
#include "listing/detail/FolderPath.h"
#include "listing/detail/FolderPrefetch.h"
#include "listing/detail/FolderReader.h"
#include "listing/detail/ListingFailure.h"
#include "platform/files/FileSystem.h"

#include <algorithm>
#include <chrono>
#include <optional>

namespace quiverel {
namespace {

// A folder whose entries have been read, waiting for its sub-folders to be searched before its
// own files are collected. The folders being searched form a stack instead of nested calls, so
// a deep tree needs no deep call stack; the upper levels keep their descriptors, so that their
// sub-folders are opened by name instead of by a path walked again from its start.
struct PendingFolder {
    std::size_t pathLength; // length of the folder's text within the shared path
    FolderContents contents;
    std::size_t nextSubFolder = 0;
};

// Folders this many levels below the one searched and deeper give their descriptor back once
// read.
constexpr std::size_t levelsKeptOpen = 32;
// The sub-folder opened by its name inside the folder searched last, without following a link;
// nothing where that folder's descriptor was given back, or when the process is out of
// descriptors: the search then gives back every one it keeps, so that the opening by path that
// follows may wait for one while holding none.
fs::Descriptor openByName(std::vector<PendingFolder>& pending, const char* name) {
    const fs::Descriptor& parent = pending.back().contents.descriptor;
    if (!parent.isOpen()) {
        return fs::Descriptor();
    }
    fs::Descriptor opened = fs::openSubFolder(parent, name);
    if (!opened.isOpen() && fs::isOutOfDescriptors(fs::lastError())) {
        for (PendingFolder& folder : pending) {
            folder.contents.descriptor.reset();
        }
    }
    return opened;
}

// A folder read that takes this long may have waited for the disk.
constexpr auto slowRead = std::chrono::milliseconds(2);
// Reading ahead starts once this many of a stretch of folder reads have waited for the disk: a
// tree read from the disk waits at nearly every folder, while a tree the system has at hand
// waits only at the odd folder it has let go of, where reading ahead would cost more than it
// saves.
constexpr std::size_t diskReadsToReadAhead = 32;
constexpr std::size_t readsInStretch = 256;

// Reads folders through the reader. Once enough reads turn out to have waited for the disk (not
// merely for the processor), the sub-folders of every folder read from then on are read ahead on
// other threads.
class TimedReads {
public:
    template <typename Read> FolderContents read(const std::string& path, Read readFolder) {
        const auto start = std::chrono::steady_clock::now();
        FolderContents contents = readFolder();
        if (!m_readingAhead) {
            noteWait(std::chrono::steady_clock::now() - start >= slowRead);
        }
        if (m_readingAhead) {
            for (std::size_t i = 0; i < contents.subFolders.size(); ++i) {
                m_prefetch.add(childPath(path, contents.subFolders[i]));
            }
        }
        return contents;
    }

private:
    void noteWait(bool slow) {
        if (m_reads++ % readsInStretch == 0) {
            m_diskReads = 0;
        }
        if (slow) {
            const long blocks = fs::blocksReadByThisThread();
            m_diskReads += blocks > m_blocksRead ? 1 : 0;
            m_blocksRead = blocks;
        }
        m_readingAhead = m_diskReads >= diskReadsToReadAhead;
    }

    long m_blocksRead = fs::blocksReadByThisThread();
    std::size_t m_reads = 0;
    std::size_t m_diskReads = 0; // within the stretch of reads going on
    bool m_readingAhead = false;
    FolderPrefetch m_prefetch;
};

bool isCancelled(const ListingControl& control) {
    return control.cancelFlag().load(std::memory_order_relaxed);
}

// True when the folder is one of the folders already being searched (a bind mount of an
// ancestor, for instance): descending into it would never end.
bool leadsBack(const std::vector<PendingFolder>& pending, const FolderContents& folder) {
    return std::any_of(pending.begin(), pending.end(), [&](const PendingFolder& open) {
        return open.contents.identity == folder.identity;
    });
}

// A folder the system refused for a reason of its own, not for want of descriptors or memory.
bool isUnreachable(const ListingFailure& failure) {
    return failure.error() != 0 && !fs::isShortOfResources(failure.error());
}

// One search of a folder and all its sub-folders, depth first: a folder's files are handed over
// once its sub-folders have been searched.
class TreeSearch {
public:
    TreeSearch(const WildcardPattern& pattern, const std::string& folder, ListingControl& control,
               const WildcardPattern* passOver, const UnreachablePath& passOverUnreachable)
        : m_pattern(pattern), m_control(control), m_passOver(passOver),
          m_passOverUnreachable(passOverUnreachable),
          // A folder read in part because of a cancel is dropped at the next test of the flag.
          m_goOn([&control] {
              control.pacer().processEventsWhenDue();
              return !isCancelled(control);
          }),
          m_path(folderText(folder)) {}

    void run(const FolderFilesSink& takeFiles) {
        std::optional<FolderContents> top = readOrPassOver([&] {
            return readFolder(m_path, fs::Descriptor(), m_pattern, m_passOver, true, m_goOn);
        });
        if (!top) {
            return;
        }
        m_pending.push_back({m_path.size(), std::move(*top)});
        if (!m_keepDescriptors) {
            m_pending.back().contents.descriptor.reset();
        }
        while (!m_pending.empty()) {
            if (isCancelled(m_control)) {
                return;
            }
            PendingFolder& current = m_pending.back();
            m_path.resize(current.pathLength);
            if (current.nextSubFolder < current.contents.subFolders.size()) {
                if (!enterSubFolder(current.contents.subFolders[current.nextSubFolder++])) {
                    return;
                }
            } else {
                if (!current.contents.files.empty() && !takeFiles(m_path, current.contents.files)) {
                    return;
                }
                m_pending.pop_back();
            }
        }
    }

private:
    // The folder at m_path, read; nothing when it cannot be and such folders are passed over.
    template <typename Read> std::optional<FolderContents> readOrPassOver(Read readOne) {
        try {
            return m_reads.read(m_path, readOne);
        } catch (const ListingFailure& failure) {
            if (!m_passOverUnreachable || !isUnreachable(failure)) {
                throw;
            }
            m_passOverUnreachable(failure.path(), failure.what());
            return std::nullopt;
        }
    }

    // Reads the named sub-folder of the folder searched last and, unless it leads back, searches
    // it next; false when the search has been cancelled. Each name is followed by a NUL.
    bool enterSubFolder(std::string_view name) {
        appendName(m_path, name);
        m_control.pacer().processPendingEvents();
        if (isCancelled(m_control)) {
            return false;
        }
        std::optional<FolderContents> subFolder = readOrPassOver([&] {
            return readFolder(m_path, openByName(m_pending, name.data()), m_pattern, m_passOver,
                              false, m_goOn);
        });
        if (!subFolder) {
            return true;
        }
        if (!m_keepDescriptors || m_pending.size() >= levelsKeptOpen) {
            subFolder->descriptor.reset();
        }
        if (!leadsBack(m_pending, *subFolder)) {
            m_pending.push_back({m_path.size(), std::move(*subFolder)});
        }
        return true;
    }

    const WildcardPattern& m_pattern;
    ListingControl& m_control;
    const WildcardPattern* m_passOver;
    const UnreachablePath& m_passOverUnreachable;
    const ReadingGoesOn m_goOn;
    const bool m_keepDescriptors = fs::mayKeepDescriptors();
    std::string m_path;
    TimedReads m_reads;
    std::vector<PendingFolder> m_pending;
};

} // namespace

void searchFolder(const WildcardPattern& pattern, const std::string& folder,
                  ListingControl& control, const FolderFilesSink& takeFiles,
                  const WildcardPattern* passOver, const UnreachablePath& passOverUnreachable) {
    if (isCancelled(control)) {
        return;
    }
    TreeSearch(pattern, folder, control, passOver, passOverUnreachable).run(takeFiles);
}

} // namespace quiverel
