#pragma once

#include <string>
#include <string_view>

namespace quiverel {

// The separator the file system and the display texts use; on Windows "/" is read as it too.
#ifdef _WIN32
inline constexpr char pathSeparator = '\\';
#else
inline constexpr char pathSeparator = '/';
#endif

constexpr bool isPathSeparator(char c) {
    return c == pathSeparator || c == '/';
}

// The length of the start of the path that names where it begins, 0 for a relative path: "/"
// on POSIX systems; on Windows a drive ("C:\", or "C:" before a path relative to that drive's
// folder) or a network share ("\\server\share\"), the separator after it included.
std::size_t rootLength(std::string_view path);

// The display text of a native path: UTF-8, each byte that is not part of a valid UTF-8
// sequence replaced by U+FFFD.
std::string toDisplayText(std::string_view nativePath);
// The same, appended to out.
void appendDisplayText(std::string& out, std::string_view nativePath);
// Whether the display text of the native path is the path itself.
bool isValidUtf8(std::string_view nativePath);
// Length of the valid UTF-8 sequence starting at text[i], or 0 when it is not valid.
std::size_t validSequenceLength(std::string_view text, std::size_t i);
// Length of the run of ASCII bytes at the start of text, looked at eight bytes at a time.
std::size_t asciiRunLength(std::string_view text);

constexpr char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace quiverel
