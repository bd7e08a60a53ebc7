#include "listing/FolderSearch.h"

#include "listing/ListingControl.h"
#include "listing/detail/FolderPath.h"
#include "listing/detail/FolderPrefetch.h"
#include "listing/detail/FolderReader.h"
#include "listing/detail/ListingFailure.h"

#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <optional>
#include <sys/resource.h>

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
// Descriptors are kept only where the process may have this many.
constexpr rlim_t leastDescriptorLimit = 1024;

bool mayKeepDescriptors() {
    rlimit limit{};
    return ::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur >= leastDescriptorLimit;
}

// The sub-folder opened by its name inside the folder searched last, without following a link;
// nothing where that folder's descriptor was given back, or when the process is out of
// descriptors: the search then gives back every one it keeps, so that the opening by path that
// follows may wait for one while holding none.
fs::Descriptor openByName(std::vector<PendingFolder>& pending, const char* name) {
    const fs::Descriptor& parent = pending.back().contents.descriptor;
    if (!parent.isOpen()) {
        return fs::Descriptor(-1);
    }
    fs::Descriptor opened = fs::openOnce([&] {
        return ::openat(parent.get(), name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    });
    if (!opened.isOpen() && fs::isOutOfDescriptors(errno)) {
        for (PendingFolder& folder : pending) {
            folder.contents.descriptor.reset(-1);
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

// Blocks this thread has read from the disk so far.
long blocksRead() {
    rusage usage{};
    return ::getrusage(RUSAGE_THREAD, &usage) == 0 ? usage.ru_inblock : 0;
}

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
            const long blocks = blocksRead();
            m_diskReads += blocks > m_blocksRead ? 1 : 0;
            m_blocksRead = blocks;
        }
        m_readingAhead = m_diskReads >= diskReadsToReadAhead;
    }

    long m_blocksRead = blocksRead();
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
        return open.contents.device == folder.device && open.contents.inode == folder.inode;
    });
}

// A folder the system refused for a reason of its own, not for want of descriptors or memory.
bool isUnreachable(const ListingFailure& failure) {
    return failure.error() != 0 && !fs::isShortOfResources(failure.error());
}

} // namespace

void searchFolder(const WildcardPattern& pattern, const std::string& folder,
                  ListingControl& control, const FolderFilesSink& takeFiles,
                  const WildcardPattern* passOver, const UnreachablePath& passOverUnreachable) {
    if (isCancelled(control)) {
        return;
    }
    // A folder read in part because of a cancel is dropped at the next test of the flag.
    const ReadingGoesOn goOn = [&control] {
        control.pacer().processEventsWhenDue();
        return !isCancelled(control);
    };
    const bool keepDescriptors = mayKeepDescriptors();
    std::string path = folderText(folder);
    TimedReads reads;
    // The folder at path, read; nothing when it cannot be and such folders are passed over.
    const auto readOrPassOver = [&](auto readOne) -> std::optional<FolderContents> {
        try {
            return reads.read(path, readOne);
        } catch (const ListingFailure& failure) {
            if (!passOverUnreachable || !isUnreachable(failure)) {
                throw;
            }
            passOverUnreachable(failure.path(), failure.what());
            return std::nullopt;
        }
    };
    std::optional<FolderContents> top = readOrPassOver(
        [&] { return readFolder(path, fs::Descriptor(-1), pattern, passOver, true, goOn); });
    if (!top) {
        return;
    }
    std::vector<PendingFolder> pending;
    pending.push_back({path.size(), std::move(*top)});
    if (!keepDescriptors) {
        pending.back().contents.descriptor.reset(-1);
    }
    while (!pending.empty()) {
        if (isCancelled(control)) {
            return;
        }
        PendingFolder& current = pending.back();
        path.resize(current.pathLength);
        if (current.nextSubFolder < current.contents.subFolders.size()) {
            const std::string_view name = current.contents.subFolders[current.nextSubFolder++];
            appendName(path, name);
            control.pacer().processPendingEvents();
            if (isCancelled(control)) {
                return;
            }
            // Each name is followed by a NUL.
            std::optional<FolderContents> subFolder = readOrPassOver([&] {
                return readFolder(path, openByName(pending, name.data()), pattern, passOver, false,
                                  goOn);
            });
            if (!subFolder) {
                continue;
            }
            if (!keepDescriptors || pending.size() >= levelsKeptOpen) {
                subFolder->descriptor.reset(-1);
            }
            if (!leadsBack(pending, *subFolder)) {
                pending.push_back({path.size(), std::move(*subFolder)});
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
