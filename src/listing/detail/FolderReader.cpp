#include "listing/detail/FolderReader.h"

#include "listing/PathText.h"
#include "listing/WildcardPattern.h"
#include "listing/detail/FileSystem.h"
#include "listing/detail/ListingFailure.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quiverel {
namespace {

enum class EntryKind { Folder, File, Other };

[[noreturn]] void failOn(const std::string& folder, int error) {
    throw ListingFailure(toDisplayText(folder), fs::errorText(error));
}

// A directory stream closed when it goes out of scope.
class DirectoryStream {
public:
    explicit DirectoryStream(DIR* stream) : m_stream(stream) {}
    ~DirectoryStream() { ::closedir(m_stream); }
    DirectoryStream(const DirectoryStream&) = delete;
    DirectoryStream& operator=(const DirectoryStream&) = delete;
    DIR* get() const { return m_stream; }

private:
    DIR* m_stream;
};

bool isHidden(const char* name) {
    return name[0] == '.';
}

// A link counts as a file when it leads to a regular file; a link to a folder, a broken link
// and anything that is neither file nor folder are passed over.
EntryKind kindFromStat(int folderFd, const char* name) {
    struct stat status {};
    if (::fstatat(folderFd, name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
        return EntryKind::Other;
    }
    if (S_ISDIR(status.st_mode)) {
        return EntryKind::Folder;
    }
    if (S_ISLNK(status.st_mode) && ::fstatat(folderFd, name, &status, 0) != 0) {
        return EntryKind::Other;
    }
    return S_ISREG(status.st_mode) ? EntryKind::File : EntryKind::Other;
}

EntryKind kindOf(int folderFd, const dirent& entry) {
    switch (entry.d_type) {
    case DT_DIR:
        return EntryKind::Folder;
    case DT_REG:
        return EntryKind::File;
    case DT_LNK:
    case DT_UNKNOWN:
        return kindFromStat(folderFd, entry.d_name);
    default:
        return EntryKind::Other;
    }
}

DIR* openStream(const std::string& folder, bool followLink) {
    const int flags = O_RDONLY | O_DIRECTORY | (followLink ? 0 : O_NOFOLLOW);
    const int fd = fs::openPath(folder, flags);
    if (fd < 0) {
        failOn(folder, errno);
    }
    DIR* stream = ::fdopendir(fd);
    if (stream == nullptr) {
        const int error = errno;
        ::close(fd);
        failOn(folder, error);
    }
    return stream;
}

} // namespace

FolderContents readFolder(const std::string& folder, const WildcardPattern& pattern,
                          const WildcardPattern& passOver, bool followLink,
                          const ReadingGoesOn& goOn) {
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
        if (!passOver.empty() && passOver.matches(toDisplayText(entry->d_name))) {
            continue;
        }
        switch (kindOf(folderFd, *entry)) {
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
