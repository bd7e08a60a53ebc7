#pragma once

#include <cstdint>
#include <span>

namespace quiverel {

// True when [offset, offset + length) lies inside [0, size). Never overflows.
inline bool rangeFits(std::uint64_t offset, std::uint64_t length, std::uint64_t size) {
    return offset <= size && length <= size - offset;
}

// A bounded run of bytes that a format reader takes apart piece by piece: it knows its size
// and hands out exact ranges, refusing any range that does not lie wholly inside it.
class ByteSource {
public:
    virtual ~ByteSource() = default;

    virtual std::uint64_t size() const = 0;

    // Fills all of out with the bytes starting at offset. False when the range reaches past
    // the end or the bytes cannot be had; out is then unspecified.
    virtual bool read(std::uint64_t offset, std::span<std::uint8_t> out) const = 0;
};

} // namespace quiverel
