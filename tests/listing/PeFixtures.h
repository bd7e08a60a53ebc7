#pragma once

// The version-reader fixtures of tests/data/pe and small helpers to take their bytes apart.

#include "listing/pe/PeVersionReader.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>

namespace quiverel::testing {

inline std::string peFixturePath(const std::string& name) {
    return std::string(QUIVEREL_TEST_DATA) + "/pe/" + name;
}

inline std::string readPeFixture(const std::string& name) {
    std::ifstream in(peFixturePath(name), std::ios::binary);
    if (!in) {
        throw std::runtime_error("missing fixture " + name);
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline const std::uint8_t* bytesOf(const std::string& bytes) {
    return reinterpret_cast<const std::uint8_t*>(bytes.data());
}

inline std::uint32_t le16At(const std::string& bytes, std::size_t offset) {
    const auto* p = bytesOf(bytes) + offset;
    return static_cast<std::uint32_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t le32At(const std::string& bytes, std::size_t offset) {
    return le16At(bytes, offset) | (le16At(bytes, offset + 2) << 16);
}

inline void put16At(std::string& bytes, std::size_t offset, std::uint32_t value) {
    bytes.at(offset) = static_cast<char>(value & 0xFF);
    bytes.at(offset + 1) = static_cast<char>((value >> 8) & 0xFF);
}

inline void put32At(std::string& bytes, std::size_t offset, std::uint32_t value) {
    put16At(bytes, offset, value & 0xFFFF);
    put16At(bytes, offset + 2, value >> 16);
}

// Parses a copy held in a buffer of exactly the image's size, so that an address sanitizer
// catches any read past its end.
inline std::optional<FixedFileInfo> parseExactCopy(const std::string& bytes) {
    const auto copy = std::make_unique<std::uint8_t[]>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), copy.get());
    return parseFixedFileInfo(copy.get(), bytes.size());
}

} // namespace quiverel::testing
