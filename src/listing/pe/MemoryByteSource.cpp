#include "listing/pe/MemoryByteSource.h"

#include <algorithm>

namespace quiverel {

MemoryByteSource::MemoryByteSource(const std::uint8_t* bytes, std::size_t size)
    : m_bytes(bytes), m_size(bytes == nullptr ? 0 : size) {}

std::uint64_t MemoryByteSource::size() const {
    return m_size;
}

bool MemoryByteSource::read(std::uint64_t offset, std::span<std::uint8_t> out) const {
    if (!rangeFits(offset, out.size(), m_size)) {
        return false;
    }
    std::copy_n(m_bytes + offset, out.size(), out.begin());
    return true;
}

} // namespace quiverel
