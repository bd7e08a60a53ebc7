#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace quiverel {

// What reading one registry value as text gave.
enum class RegistryTextOutcome {
    Read,         // the value was there: text holds it
    Missing,      // no such key or value, or its data needs more than the buffer
    Unterminated, // the data filled the whole buffer without an end: no usable text
};

struct RegistryText {
    RegistryTextOutcome outcome = RegistryTextOutcome::Missing;
    std::string text; // UTF-8; empty unless outcome is Read
};

// The size of the buffer a value is read into: a value whose data needs more counts as missing.
inline constexpr DWORD registryTextBufferBytes = 1024;

// Reads the value valueName of the key keyName under root (both UTF-8), asking for read access
// only, into a buffer of registryTextBufferBytes bytes that the text is cut from at its first
// NUL. A string gives its text, a 32-bit number its decimal digits; data of any other type counts
// as read and gives an empty text.
RegistryText readRegistryText(HKEY root, std::string_view keyName, std::string_view valueName);

} // namespace quiverel
