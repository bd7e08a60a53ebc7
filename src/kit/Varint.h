#pragma once

#include <cstddef>
#include <cstdint>

namespace quiverel::varint {

// Seven bits a byte, low bits first; the high bit of a byte says another byte follows.
// Lengths below 128 take one byte, below 16,384 two.

constexpr std::size_t maxBytes = 10;

constexpr std::size_t sizeOf(std::uint64_t value) {
    std::size_t bytes = 1;
    while (value >= 0x80) {
        value >>= 7;
        ++bytes;
    }
    return bytes;
}

// Writes value at out; returns the byte after it.
inline char* write(char* out, std::uint64_t value) {
    while (value >= 0x80) {
        *out++ = static_cast<char>((value & 0x7F) | 0x80);
        value >>= 7;
    }
    *out++ = static_cast<char>(value);
    return out;
}

// Reads a value written by write(); returns the byte after it.
inline const char* read(const char* in, std::uint64_t& value) {
    std::uint64_t result = 0;
    unsigned shift = 0;
    while (true) {
        const auto byte = static_cast<unsigned char>(*in++);
        result |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0) {
            value = result;
            return in;
        }
        shift += 7;
    }
}

} // namespace quiverel::varint
