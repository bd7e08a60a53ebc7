#pragma once

#include "platform/posix/Descriptor.h"

#include <string>
#include <sys/stat.h>

// File-system access by native path. Paths longer than the system's PATH_MAX are reached
// component by component, so deep trees stay reachable. An open that finds the process out of
// descriptors waits for one as openWhenFree does.
namespace quiverel::fs {

// stat() (following links) or lstat(); returns 0 or the errno value.
int statPath(const std::string& nativePath, struct stat& out, bool followLinks = true);

// open() with the given flags (O_CLOEXEC is added); holds nothing, with errno set, when it fails.
Descriptor openPath(const std::string& nativePath, int flags);

// A file to query: by its native path, or by its name inside an open folder (which spares
// walking the folders of a long path once more for every file). A file inside a folder whose
// descriptor could not be had is reached by its path; so are all files of the folder from the
// moment one of them cannot be opened for want of descriptors: the folder's descriptor is then
// given back, so that waiting for one holds none.
class FileRef {
public:
    static FileRef atPath(const std::string& nativePath) {
        return FileRef(nativePath, nullptr, nullptr);
    }
    static FileRef inFolder(Descriptor& folder, const char* name, const std::string& nativePath) {
        return FileRef(nativePath, &folder, name);
    }
    // stat() following links; 0 or the errno value.
    int stat(struct stat& out) const;
    // open() with the given flags (O_CLOEXEC is added), as openPath.
    Descriptor open(int flags) const;

private:
    FileRef(const std::string& path, Descriptor* folder, const char* name)
        : m_path(path), m_folder(folder), m_name(name) {}
    bool byName() const { return m_folder != nullptr && m_folder->isOpen(); }

    const std::string& m_path;
    Descriptor* m_folder;
    const char* m_name;
};

// The system's text for an errno value.
std::string errorText(int error);

// Blocks the calling thread has read from the disk so far: it grows only while what the thread
// reads is not at hand in memory.
long blocksReadByThisThread();

} // namespace quiverel::fs
