#include "listing/detail/FolderReader.h"

#include "listing/detail/FileSystem.h"
#include "listing/detail/ListingFailure.h"
#include "listing/PathText.h"
#include "listing/WildcardPattern.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace quiverel {
namespace {

enum class EntryKind { Folder, File, Other };

[[noreturn]] void failOn(const std::string& folder, int error) {
    throw ListingFailure(toDisplayText(folder), fs::errorText(error));
}

// A directory stream closed when it goes out of scope; its descriptor, handed over from a
// Descriptor, is given back then.
class DirectoryStream {
public:
    explicit DirectoryStream(DIR* stream) : m_stream(stream) {}
    ~DirectoryStream() {
        ::closedir(m_stream);
        fs::noteGivenBack();
    }
    DirectoryStream(const DirectoryStream&) = delete;
    DirectoryStream& operator=(const DirectoryStream&) = delete;
    DIR* get() const { return m_stream; }

private:
    DIR* m_stream;
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

EntryKind kindOf(const std::string& folder, int folderFd, const dirent& entry) {
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

DIR* openStream(const std::string& folder, bool followLink) {
    const int flags = O_RDONLY | O_DIRECTORY | (followLink ? 0 : O_NOFOLLOW);
    fs::Descriptor opened = fs::openPath(folder, flags);
    if (!opened.isOpen()) {
        failOn(folder, errno);
    }
    DIR* stream = ::fdopendir(opened.get());
    if (stream == nullptr) {
        const int error = errno;
        opened.reset(-1);
        failOn(folder, error);
    }
    opened.handOver();
    return stream;
}

} // namespace

FolderContents readFolder(const std::string& folder, const WildcardPattern& pattern,
                          bool followLink, const ReadingGoesOn& goOn) {
    const DirectoryStream stream(openStream(folder, followLink));
    const int folderFd = ::dirfd(stream.get());
    FolderContents contents;
    struct stat identity {};
    if (::fstat(folderFd, &identity) != 0) {
        failOn(folder, errno);
    }
    contents.device = identity.st_dev;
    contents.inode = identity.st_ino;
    while (true) {
        errno = 0;
        const dirent* entry = ::readdir(stream.get());
        if (entry == nullptr) {
            if (errno != 0) {
                failOn(folder, errno);
            }
            break;
        }
        if (isHidden(entry->d_name)) {
            continue; // also "." and ".."
        }
        switch (kindOf(folder, folderFd, *entry)) {
        case EntryKind::Folder:
            contents.subFolders.add(entry->d_name);
            break;
        case EntryKind::File:
            if (pattern.matches(toDisplayText(entry->d_name))) {
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
