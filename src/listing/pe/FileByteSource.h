#pragma once

#include "listing/pe/ByteSource.h"
#include "platform/files/Descriptor.h"

#include <array>

namespace quiverel {

// The bytes of an open file, read as they are asked for. A small piece is read as
// part of a larger window of the file, which serves the pieces after it too: the headers of an
// executable, or the entries of its version resource, then cost one read instead of a dozen.
// Does not own the file. The size is taken once, at construction; a file that shrinks
// afterwards makes the reads past its new end fail.
class FileByteSource final : public ByteSource {
public:
    // The bytes read at once: a file's first window holds its headers.
    static constexpr std::size_t windowBytes = 16384;

    FileByteSource(const fs::Descriptor& file, std::uint64_t size);

    std::uint64_t size() const override;
    bool read(std::uint64_t offset, std::span<std::uint8_t> out) const override;

private:
    const fs::Descriptor& m_file;
    std::uint64_t m_size;
    mutable std::array<std::uint8_t, windowBytes> m_window;
    mutable std::uint64_t m_windowStart = 0;
    mutable std::size_t m_windowSize = 0; // the bytes the window holds; none yet
};

} // namespace quiverel
