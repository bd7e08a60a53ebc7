#pragma once

#include <string>
#include <string_view>

namespace quiverel {

inline constexpr char pathSeparator = '/';

// The display text of a native path: UTF-8, each byte that is not part of a valid UTF-8
// sequence replaced by U+FFFD.
std::string toDisplayText(std::string_view nativePath);
// The same, appended to out.
void appendDisplayText(std::string& out, std::string_view nativePath);
// Whether the display text of the native path is the path itself.
bool isValidUtf8(std::string_view nativePath);

constexpr char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Upper-cases the ASCII letters a to z; every other character stays as it is.
std::string toUpperAscii(std::string_view text);
void upperCaseAscii(std::string& text);

// Compares with ASCII letters folded to upper case, then by code point (byte order of UTF-8).
// Negative, zero or positive like strcmp.
int compareFolded(std::string_view a, std::string_view b);

} // namespace quiverel
