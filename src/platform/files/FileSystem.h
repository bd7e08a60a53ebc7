#pragma once

#include "platform/files/Descriptor.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// File-system access by native path: the bytes of the path as the system gave them (UTF-8 on
// Windows, where the calls take UTF-16). Long paths stay reachable: past the system's limit on
// one call, a path is walked folder by folder on POSIX systems and given the "\\?\" form on
// Windows. An open that finds the process out of descriptors waits for one as openWhenFree
// does. Errors are the system's numbers (errno, GetLastError); 0 is success.
namespace quiverel::fs {

enum class FileKind { Regular, Folder, Other };

// Which file a path leads to: two paths with the same identity lead to the same file.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;
    bool operator==(const FileIdentity&) const = default;
};

struct FileStatus {
    FileKind kind = FileKind::Other;
    std::int64_t sizeBytes = 0;
    // The last write, in seconds since 1970-01-01 UTC.
    std::int64_t modifiedSeconds = 0;
    FileIdentity identity;
};

// The status of what the path leads to: a link followed, or (followLinks false) the link
// itself, which counts as Other.
int statPath(const std::string& nativePath, FileStatus& out, bool followLinks = true);
// The status of an open file.
int statOpen(const Descriptor& file, FileStatus& out);

// A regular file opened for reading its bytes. Opening never waits (a FIFO put in the file's
// place does not block it) and never makes the file the program's terminal.
Descriptor openForReading(const std::string& nativePath);
// A folder opened to read its entries, a link in its place followed or (followLink false)
// refused.
Descriptor openFolder(const std::string& nativePath, bool followLink);
// A folder opened to reach its entries by name (see FileRef); nothing where the system offers
// no such opening.
Descriptor openFolderBase(const std::string& nativePath);
// The sub-folder of an open folder opened by its name for reading, without following a link;
// nothing, with the last error set, when it cannot be opened, and nothing with no error where
// the system offers no opening by name (the caller then goes by path).
Descriptor openSubFolder(const Descriptor& parent, const char* name);
// Whether descriptors may be kept open along a deep path: false where the process may have only
// a few.
bool mayKeepDescriptors();

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
    // The status, following links; 0 or the error.
    int stat(FileStatus& out) const;
    // Opened for reading, as openForReading.
    Descriptor open() const;

private:
    FileRef(const std::string& path, Descriptor* folder, const char* name)
        : m_path(path), m_folder(folder), m_name(name) {}
    bool byName() const { return m_folder != nullptr && m_folder->isOpen(); }

    const std::string& m_path;
    Descriptor* m_folder;
    const char* m_name;
};

// Reads into out from offset on, up to its size, the end of the file or a failure; how many
// bytes were read.
std::size_t readAt(const Descriptor& file, std::uint64_t offset, std::span<std::uint8_t> out);
// Reads the next bytes of the file into out: how many, 0 at its end, -1 on failure.
std::ptrdiff_t readNext(const Descriptor& file, std::span<std::uint8_t> out);
// Tells the system the file is about to be read from start to end.
void adviseSequential(const Descriptor& file);

// Hints that make the system fetch from the disk what will soon be read; nothing is read here,
// and what cannot be opened at once is passed over. The entries of a folder, read and
// forgotten:
void readEntriesAhead(const std::string& nativePath);
// The first bytes of a file in an open folder, never following a link, never waiting for a
// FIFO.
void readStartAhead(const Descriptor& folder, const char* name, std::size_t bytes);

// The system's text for an error.
std::string errorText(int error);

// Blocks the calling thread has read from the disk so far: it grows only while what the thread
// reads is not at hand in memory (always 0 where the system does not tell).
long blocksReadByThisThread();

} // namespace quiverel::fs
