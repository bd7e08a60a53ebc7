#pragma once

#include "listing/pe/ByteSource.h"

#include <cstddef>

namespace quiverel {

// Bytes already in memory, such as a fuzzer's input. Does not own them.
class MemoryByteSource final : public ByteSource {
public:
    MemoryByteSource(const std::uint8_t* bytes, std::size_t size);

    std::uint64_t size() const override;
    bool read(std::uint64_t offset, std::span<std::uint8_t> out) const override;

private:
    const std::uint8_t* m_bytes;
    std::size_t m_size;
};

} // namespace quiverel
