#pragma once

#include <string>
#include <string_view>

namespace quiverel::fs {

// UTF-16, as Windows' calls take text, from UTF-8; an invalid byte becomes U+FFFD.
std::wstring wideText(std::string_view utf8);
// UTF-8 from UTF-16; half of a surrogate pair alone becomes U+FFFD.
std::string utf8Text(std::wstring_view wide);

// The UTF-16 path for a system call, "/" read as "\". A path too long for the plain form gets
// the "\\?\" form, made from its full path, which reaches any length; a bare drive ("C:") names
// the drive's root.
std::wstring widePath(std::string_view nativePath);

} // namespace quiverel::fs
