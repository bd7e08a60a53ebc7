#include "listing/pe/FileByteSource.h"

#include "platform/files/FileSystem.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace quiverel {

FileByteSource::FileByteSource(const fs::Descriptor& file, std::uint64_t size)
    : m_file(file), m_size(size) {}

std::uint64_t FileByteSource::size() const {
    return m_size;
}

bool FileByteSource::read(std::uint64_t offset, std::span<std::uint8_t> out) const {
    if (!rangeFits(offset, out.size(), m_size) ||
        m_size > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        return false;
    }
    if (out.size() > m_window.size()) {
        return fs::readAt(m_file, offset, out) == out.size();
    }
    const bool inWindow = offset >= m_windowStart && offset - m_windowStart <= m_windowSize &&
                          out.size() <= m_windowSize - (offset - m_windowStart);
    if (!inWindow) {
        const auto windowSize =
            static_cast<std::size_t>(std::min<std::uint64_t>(m_window.size(), m_size - offset));
        m_windowStart = offset;
        m_windowSize = fs::readAt(m_file, offset, std::span(m_window.data(), windowSize));
        if (out.size() > m_windowSize) {
            return false;
        }
    }
    if (!out.empty()) {
        std::memcpy(out.data(), m_window.data() + (offset - m_windowStart), out.size());
    }
    return true;
}

} // namespace quiverel
