#pragma once

#include "kit/MappedBlock.h"

#include <cstddef>
#include <vector>

namespace quiverel {

// Hands out room for byte records from large chunks, one after the other. Room once handed out
// never moves; it is all given back together by clear() or when the arena goes. The chunks after
// the first are backed by huge pages where the system offers them, so a small arena stays small
// and a large one costs few page faults.
class ChunkArena {
public:
    static constexpr std::size_t chunkSize = std::size_t{2} << 20;

    // Room for bytes (at least one) bytes.
    char* allocate(std::size_t bytes);
    // Bytes handed out since the arena was made or cleared.
    std::size_t allocated() const { return m_allocated; }
    void clear();

private:
    std::vector<MappedBlock> m_chunks;
    char* m_next = nullptr;
    char* m_end = nullptr;
    std::size_t m_allocated = 0;
};

} // namespace quiverel
