#include "listing/detail/FolderReader.h"

#include "listing/PathText.h"
#include "listing/WildcardPattern.h"
#include "listing/detail/ListingFailure.h"
#include "platform/files/FileSystem.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace quiverel {
namespace {

enum class EntryKind { Folder, File, Other };

[[noreturn]] void failOn(const std::string& folder, int error) {
    throw ListingFailure(toDisplayText(folder), fs::errorText(error), error);
}

// The entries of an open folder, read straight from the system a buffer at a time.
class FolderEntries {
public:
    explicit FolderEntries(int folderFd) : m_folderFd(folderFd) {}
    FolderEntries(const FolderEntries&) = delete;
    FolderEntries& operator=(const FolderEntries&) = delete;

    // The next entry; nullptr after the last, with errno 0, or when reading fails, with errno
    // telling why.
    const dirent64* next() {
        if (m_at == m_end) {
            const ssize_t read = ::getdents64(m_folderFd, m_buffer, sizeof m_buffer);
            if (read <= 0) {
                if (read == 0) {
                    errno = 0;
                }
                return nullptr;
            }
            m_at = 0;
            m_end = static_cast<std::size_t>(read);
        }
        const auto* entry = reinterpret_cast<const dirent64*>(m_buffer + m_at);
        m_at += entry->d_reclen;
        return entry;
    }

private:
    int m_folderFd;
    alignas(dirent64) char m_buffer[32768];
    std::size_t m_at = 0;
    std::size_t m_end = 0;
};

bool isHidden(const char* name) {
    return name[0] == '.';
}

// The entry's facts; false when it cannot be reached. For want of memory the folder cannot be
// read whole, and the reading fails.
bool statEntry(const std::string& folder, int folderFd, const char* name, struct stat& status,
               int flags) {
    if (::fstatat(folderFd, name, &status, flags) == 0) {
        return true;
    }
    if (fs::isShortOfResources(errno)) {
        failOn(folder, errno);
    }
    return false;
}

// A link counts as a file when it leads to a regular file; a link to a folder, a broken link
// and anything that is neither file nor folder are passed over.
EntryKind kindFromStat(const std::string& folder, int folderFd, const char* name) {
    struct stat status {};
    if (!statEntry(folder, folderFd, name, status, AT_SYMLINK_NOFOLLOW)) {
        return EntryKind::Other;
    }
    if (S_ISDIR(status.st_mode)) {
        return EntryKind::Folder;
    }
    if (S_ISLNK(status.st_mode) && !statEntry(folder, folderFd, name, status, 0)) {
        return EntryKind::Other;
    }
    return S_ISREG(status.st_mode) ? EntryKind::File : EntryKind::Other;
}

EntryKind kindOf(const std::string& folder, int folderFd, const dirent64& entry) {
    switch (entry.d_type) {
    case DT_DIR:
        return EntryKind::Folder;
    case DT_REG:
        return EntryKind::File;
    case DT_LNK:
    case DT_UNKNOWN:
        return kindFromStat(folder, folderFd, entry.d_name);
    default:
        return EntryKind::Other;
    }
}

fs::Descriptor openFolder(const std::string& folder, bool followLink) {
    fs::Descriptor opened = fs::openFolder(folder, followLink);
    if (!opened.isOpen()) {
        failOn(folder, errno);
    }
    return opened;
}

} // namespace

FolderContents readFolder(const std::string& folder, fs::Descriptor opened,
                          const WildcardPattern& pattern, const WildcardPattern* passOver,
                          bool followLink, const ReadingGoesOn& goOn) {
    FolderContents contents;
    contents.descriptor = opened.isOpen() ? std::move(opened) : openFolder(folder, followLink);
    const int folderFd = contents.descriptor.get();
    FolderEntries entries(folderFd);
    fs::FileStatus status;
    if (const int error = fs::statOpen(contents.descriptor, status); error != 0) {
        failOn(folder, error);
    }
    contents.identity = status.identity;
    std::string displayName;
    while (true) {
        const dirent64* entry = entries.next();
        if (entry == nullptr) {
            if (errno != 0) {
                failOn(folder, errno);
            }
            break;
        }
        if (isHidden(entry->d_name)) {
            continue; // also "." and ".."
        }
        displayName.clear();
        appendDisplayText(displayName, entry->d_name);
        if (passOver != nullptr && passOver->matches(displayName)) {
            continue;
        }
        switch (kindOf(folder, folderFd, *entry)) {
        case EntryKind::Folder:
            contents.subFolders.add(entry->d_name);
            break;
        case EntryKind::File:
            if (pattern.matches(displayName)) {
                contents.files.add(entry->d_name);
            }
            break;
        case EntryKind::Other:
            break;
        }
        if (goOn && !goOn()) {
            return contents;
        }
    }
    contents.subFolders.sort();
    contents.files.sort();
    return contents;
}

} // namespace quiverel
