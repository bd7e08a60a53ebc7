#pragma once

#include "listing/pe/ByteSource.h"

namespace quiverel {

// The bytes of an open file, read with pread() piece by piece as they are asked for. Does not
// own the descriptor. The size is taken once, at construction; a file that shrinks afterwards
// makes the reads past its new end fail.
class FileByteSource final : public ByteSource {
public:
    FileByteSource(int fd, std::uint64_t size);

    std::uint64_t size() const override;
    bool read(std::uint64_t offset, std::span<std::uint8_t> out) const override;

private:
    int m_fd;
    std::uint64_t m_size;
};

} // namespace quiverel
