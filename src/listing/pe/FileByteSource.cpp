#include "listing/pe/FileByteSource.h"

#include <cerrno>
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
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t got =
            ::pread(m_fd, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(got);
    }
    return true;
}

} // namespace quiverel
