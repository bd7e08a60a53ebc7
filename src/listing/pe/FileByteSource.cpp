#include "listing/pe/FileByteSource.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <sys/types.h>
#include <unistd.h>

namespace quiverel {

FileByteSource::FileByteSource(int fd, std::uint64_t size) : m_fd(fd), m_size(size) {}

std::uint64_t FileByteSource::size() const {
    return m_size;
}

bool FileByteSource::read(std::uint64_t offset, std::span<std::uint8_t> out) const {
    if (!rangeFits(offset, out.size(), m_size) ||
        m_size > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) {
        return false;
    }
    if (out.size() > m_window.size()) {
        return readUpTo(offset, out) == out.size();
    }
    const bool inWindow = offset >= m_windowStart && offset - m_windowStart <= m_windowSize &&
                          out.size() <= m_windowSize - (offset - m_windowStart);
    if (!inWindow) {
        const auto windowSize =
            static_cast<std::size_t>(std::min<std::uint64_t>(m_window.size(), m_size - offset));
        m_windowStart = offset;
        m_windowSize = readUpTo(offset, std::span(m_window.data(), windowSize));
        if (out.size() > m_windowSize) {
            return false;
        }
    }
    if (!out.empty()) {
        std::memcpy(out.data(), m_window.data() + (offset - m_windowStart), out.size());
    }
    return true;
}

std::size_t FileByteSource::readUpTo(std::uint64_t offset, std::span<std::uint8_t> out) const {
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t got =
            ::pread(m_fd, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

} // namespace quiverel
