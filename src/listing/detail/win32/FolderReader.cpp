#include "listing/detail/FolderReader.h"

#include "listing/PathText.h"
#include "listing/WildcardPattern.h"
#include "listing/detail/FolderPath.h"
#include "listing/detail/ListingFailure.h"
#include "platform/files/win32/WidePath.h"

#include <windows.h>

namespace quiverel {
namespace {

[[noreturn]] void failOn(const std::string& folder, int error) {
    throw ListingFailure(toDisplayText(folder), fs::errorText(error), error);
}

// The entries of a folder, in the order the system gives them, asked for in large batches.
class FolderEntries {
public:
    explicit FolderEntries(const std::string& folder) {
        const std::wstring pattern = fs::widePath(childPath(folder, "*"));
        m_search = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &m_entry,
                                      FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
        m_error = m_search == INVALID_HANDLE_VALUE ? ::GetLastError() : ERROR_SUCCESS;
        // A drive's root has no "." and "..": when it is empty, there is nothing to find.
        if (m_error == ERROR_FILE_NOT_FOUND) {
            m_error = ERROR_NO_MORE_FILES;
        }
    }
    ~FolderEntries() {
        if (m_search != INVALID_HANDLE_VALUE) {
            ::FindClose(m_search);
        }
    }
    FolderEntries(const FolderEntries&) = delete;
    FolderEntries& operator=(const FolderEntries&) = delete;

    // The next entry; nullptr after the last, or when reading fails (see error).
    const WIN32_FIND_DATAW* next() {
        if (m_search == INVALID_HANDLE_VALUE) {
            return nullptr;
        }
        if (m_first) {
            m_first = false;
            return &m_entry;
        }
        if (::FindNextFileW(m_search, &m_entry)) {
            return &m_entry;
        }
        m_error = ::GetLastError();
        return nullptr;
    }
    // Why the reading ended: 0 when every entry was read.
    int error() const { return m_error == ERROR_NO_MORE_FILES ? 0 : static_cast<int>(m_error); }

private:
    WIN32_FIND_DATAW m_entry{};
    HANDLE m_search = INVALID_HANDLE_VALUE;
    DWORD m_error = ERROR_SUCCESS;
    bool m_first = true;
};

// Hidden and system entries are left out, as Explorer leaves them out; so are the folder's own
// "." and "..", devices, and links to folders (junctions, symbolic links), which are not
// followed, so that a junction leading back up the tree cannot make a search endless.
bool isLeftOut(const WIN32_FIND_DATAW& entry) {
    constexpr DWORD leftOut = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE;
    const std::wstring_view name = entry.cFileName;
    if ((entry.dwFileAttributes & leftOut) != 0 || name == L"." || name == L"..") {
        return true;
    }
    constexpr DWORD folderLink = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    return (entry.dwFileAttributes & folderLink) == folderLink;
}

} // namespace

FolderContents readFolder(const std::string& folder, fs::Descriptor opened,
                          const WildcardPattern& pattern, const WildcardPattern* passOver,
                          bool followLink, const ReadingGoesOn& goOn) {
    FolderContents contents;
    contents.descriptor = opened.isOpen() ? std::move(opened) : fs::openFolder(folder, followLink);
    if (!contents.descriptor.isOpen()) {
        failOn(folder, fs::lastError());
    }
    fs::FileStatus status;
    if (const int error = fs::statOpen(contents.descriptor, status); error != 0) {
        failOn(folder, error);
    }
    contents.identity = status.identity;
    FolderEntries entries(folder);
    std::string name;
    while (const WIN32_FIND_DATAW* entry = entries.next()) {
        if (isLeftOut(*entry)) {
            continue;
        }
        name = fs::utf8Text(entry->cFileName);
        if (passOver != nullptr && passOver->matches(name)) {
            continue;
        }
        if ((entry->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            contents.subFolders.add(name);
        } else if (pattern.matches(name)) {
            contents.files.add(name);
        }
        if (goOn && !goOn()) {
            return contents;
        }
    }
    if (entries.error() != 0) {
        failOn(folder, entries.error());
    }
    contents.subFolders.sort();
    contents.files.sort();
    return contents;
}

} // namespace quiverel
