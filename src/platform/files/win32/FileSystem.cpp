#include "platform/files/FileSystem.h"

#include "platform/files/win32/WidePath.h"

#include <windows.h>

namespace quiverel::fs {
namespace {

// What may go on with a file while it is open here: it is only ever read.
constexpr DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// 100-nanosecond steps from 1601-01-01 to 1970-01-01.
constexpr std::int64_t epochInFileTime = 116444736000000000;
constexpr std::int64_t fileTimePerSecond = 10000000;

std::int64_t secondsSinceEpoch(const FILETIME& time) {
    const auto steps =
        static_cast<std::int64_t>((std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime) -
        epochInFileTime;
    // Rounded down, so a stamp before 1970 falls in the second it belongs to.
    const std::int64_t seconds = steps / fileTimePerSecond;
    return steps % fileTimePerSecond < 0 ? seconds - 1 : seconds;
}

std::int64_t sizeOf(DWORD high, DWORD low) {
    return static_cast<std::int64_t>((std::uint64_t{high} << 32) | low);
}

FileKind kindOf(DWORD attributes) {
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return FileKind::Folder;
    }
    return (attributes & FILE_ATTRIBUTE_DEVICE) != 0 ? FileKind::Other : FileKind::Regular;
}

NativeHandle openHandle(const std::string& nativePath, DWORD access, DWORD flags) {
    const HANDLE handle = ::CreateFileW(widePath(nativePath).c_str(), access, shareAll, nullptr,
                                        OPEN_EXISTING, flags, nullptr);
    return handle == INVALID_HANDLE_VALUE ? noHandle : handle;
}

// The open handle in place of a folder, refused when it is not one, or when it is a link (a
// junction, a symbolic link) and links are not followed.
Descriptor openFolderHandle(const std::string& nativePath, DWORD access, bool followLink) {
    const DWORD flags =
        FILE_FLAG_BACKUP_SEMANTICS | (followLink ? 0 : DWORD{FILE_FLAG_OPEN_REPARSE_POINT});
    Descriptor folder = openWhenFree([&] { return openHandle(nativePath, access, flags); });
    BY_HANDLE_FILE_INFORMATION information{};
    if (folder.isOpen() && ::GetFileInformationByHandle(folder.get(), &information)) {
        if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            folder.reset();
            ::SetLastError(ERROR_DIRECTORY);
        } else if ((information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
                   !followLink) {
            folder.reset();
            ::SetLastError(ERROR_CANT_ACCESS_FILE);
        }
    }
    return folder;
}

} // namespace

int lastError() {
    return static_cast<int>(::GetLastError());
}

void setLastError(int error) {
    ::SetLastError(static_cast<DWORD>(error));
}

void detail::close(NativeHandle handle) {
    ::CloseHandle(handle);
}

bool isOutOfDescriptors(int error) {
    return error == ERROR_TOO_MANY_OPEN_FILES;
}

bool isShortOfResources(int error) {
    return isOutOfDescriptors(error) || error == ERROR_NOT_ENOUGH_MEMORY ||
           error == ERROR_OUTOFMEMORY || error == ERROR_NO_SYSTEM_RESOURCES;
}

int statPath(const std::string& nativePath, FileStatus& out, bool followLinks) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(widePath(nativePath).c_str(), GetFileExInfoStandard, &data)) {
        return lastError();
    }
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        out.kind = kindOf(data.dwFileAttributes);
        out.sizeBytes = sizeOf(data.nFileSizeHigh, data.nFileSizeLow);
        out.modifiedSeconds = secondsSinceEpoch(data.ftLastWriteTime);
        out.identity = {};
        return 0;
    }
    if (!followLinks) {
        out = FileStatus{};
        return 0;
    }
    // A link: what it leads to, found through an open handle.
    const Descriptor target = openWhenFree(
        [&] { return openHandle(nativePath, FILE_READ_ATTRIBUTES, FILE_FLAG_BACKUP_SEMANTICS); });
    return target.isOpen() ? statOpen(target, out) : lastError();
}

int statOpen(const Descriptor& file, FileStatus& out) {
    BY_HANDLE_FILE_INFORMATION information{};
    if (!::GetFileInformationByHandle(file.get(), &information)) {
        return lastError();
    }
    out.kind = ::GetFileType(file.get()) == FILE_TYPE_DISK ? kindOf(information.dwFileAttributes)
                                                           : FileKind::Other;
    out.sizeBytes = sizeOf(information.nFileSizeHigh, information.nFileSizeLow);
    out.modifiedSeconds = secondsSinceEpoch(information.ftLastWriteTime);
    out.identity = {information.dwVolumeSerialNumber,
                    (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow};
    return 0;
}

Descriptor openForReading(const std::string& nativePath) {
    return openWhenFree(
        [&] { return openHandle(nativePath, GENERIC_READ, FILE_ATTRIBUTE_NORMAL); });
}

Descriptor openFolder(const std::string& nativePath, bool followLink) {
    return openFolderHandle(nativePath, FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES, followLink);
}

// Windows opens nothing by its name inside a folder: every file is reached by its path.
Descriptor openFolderBase(const std::string&) {
    return Descriptor();
}

Descriptor openSubFolder(const Descriptor&, const char*) {
    ::SetLastError(ERROR_SUCCESS);
    return Descriptor();
}

bool mayKeepDescriptors() {
    return false;
}

int FileRef::stat(FileStatus& out) const {
    return statPath(m_path, out);
}

Descriptor FileRef::open() const {
    return openForReading(m_path);
}

std::size_t readAt(const Descriptor& file, std::uint64_t offset, std::span<std::uint8_t> out) {
    std::size_t done = 0;
    while (done < out.size()) {
        OVERLAPPED at{};
        const std::uint64_t position = offset + done;
        at.Offset = static_cast<DWORD>(position);
        at.OffsetHigh = static_cast<DWORD>(position >> 32);
        const auto wanted = static_cast<DWORD>(std::min<std::size_t>(out.size() - done, 1U << 30));
        DWORD got = 0;
        if (!::ReadFile(file.get(), out.data() + done, wanted, &got, &at) || got == 0) {
            break;
        }
        done += got;
    }
    return done;
}

std::ptrdiff_t readNext(const Descriptor& file, std::span<std::uint8_t> out) {
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(out.size(), 1U << 30));
    DWORD got = 0;
    if (!::ReadFile(file.get(), out.data(), wanted, &got, nullptr)) {
        return ::GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
    }
    return static_cast<std::ptrdiff_t>(got);
}

// The system reads ahead on its own what is read from start to end; the hints below have
// nothing to add to it.
void adviseSequential(const Descriptor&) {}

void readEntriesAhead(const std::string&) {}

void readStartAhead(const Descriptor&, const char*, std::size_t) {}

std::string errorText(int error) {
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text != nullptr ? text : L"", length);
    ::LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                                message.back() == L' ' || message.back() == L'.')) {
        message.pop_back();
    }
    return message.empty() ? "error " + std::to_string(error) : utf8Text(message);
}

// Windows does not tell a thread's reads from the disk apart from those served from memory.
long blocksReadByThisThread() {
    return 0;
}

} // namespace quiverel::fs
