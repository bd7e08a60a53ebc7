#include "platform/files/win32/WidePath.h"

#include <windows.h>

#include <algorithm>

namespace quiverel::fs {
namespace {

// Past this many characters a plain path may no longer reach a file: MAX_PATH, less the room a
// folder's path must leave for a file name of 8.3 characters.
constexpr std::size_t plainPathLimit = MAX_PATH - 12;

bool isDriveLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

std::wstring fullPath(const std::wstring& path) {
    std::wstring full(path.size() + MAX_PATH, L'\0');
    while (true) {
        const DWORD length =
            ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0) {
            return path;
        }
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.resize(length);
    }
}

} // namespace

std::wstring wideText(std::string_view utf8) {
    if (utf8.empty()) {
        return std::wstring();
    }
    const int length =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                          length);
    return wide;
}

std::string utf8Text(std::wstring_view wide) {
    if (wide.empty()) {
        return std::string();
    }
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                             nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(),
                          length, nullptr, nullptr);
    return utf8;
}

std::wstring widePath(std::string_view nativePath) {
    std::wstring path = wideText(nativePath);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    if (path.size() == 2 && isDriveLetter(path[0]) && path[1] == L':') {
        path += L'\\';
    }
    if (path.size() < plainPathLimit || path.starts_with(LR"(\\?\)")) {
        return path;
    }
    path = fullPath(path);
    if (path.starts_with(LR"(\\)")) {
        return LR"(\\?\UNC\)" + path.substr(2);
    }
    return LR"(\\?\)" + path;
}

} // namespace quiverel::fs
