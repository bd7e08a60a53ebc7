#pragma once

#include <string>
#include <sys/stat.h>

// File-system access by native path. Paths longer than the system's PATH_MAX are reached
// component by component, so deep trees stay reachable.
namespace quiverel::fs {

// stat() (following links) or lstat(); returns 0 or the errno value.
int statPath(const std::string& nativePath, struct stat& out, bool followLinks = true);

// open() with the given flags (O_CLOEXEC is added); returns the descriptor or -1 with errno set.
int openPath(const std::string& nativePath, int flags);

// A file to query: by its native path, or by its name inside an open folder (which spares
// walking the folders of a long path once more for every file).
class FileRef {
public:
    static FileRef atPath(const std::string& nativePath) {
        return FileRef(&nativePath, -1, nullptr);
    }
    static FileRef inFolder(int folderFd, const char* name) {
        return FileRef(nullptr, folderFd, name);
    }
    // stat() following links; 0 or the errno value.
    int stat(struct stat& out) const;
    // open() with the given flags (O_CLOEXEC is added); the descriptor or -1 with errno set.
    int open(int flags) const;

private:
    FileRef(const std::string* path, int folderFd, const char* name)
        : m_path(path), m_folderFd(folderFd), m_name(name) {}
    const std::string* m_path;
    int m_folderFd;
    const char* m_name;
};

// The system's text for an errno value.
std::string errorText(int error);

} // namespace quiverel::fs
