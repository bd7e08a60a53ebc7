#include "kit/ChunkArena.h"

namespace quiverel {

char* ChunkArena::allocate(std::size_t bytes) {
    char* room = m_next;
    if (static_cast<std::size_t>(m_end - m_next) >= bytes) {
        m_next += bytes;
    } else if (bytes > chunkSize / 4) {
        // A large record gets a block of its own; the current chunk goes on being filled.
        m_chunks.emplace_back(bytes);
        room = m_chunks.back().data();
    } else {
        m_chunks.emplace_back(chunkSize, m_chunks.empty() ? MappedBlock::Pages::Small
                                                          : MappedBlock::Pages::Huge);
        room = m_chunks.back().data();
        m_next = room + bytes;
        m_end = room + chunkSize;
    }
    m_allocated += bytes;
    return room;
}

void ChunkArena::clear() {
    m_chunks.clear();
    m_next = nullptr;
    m_end = nullptr;
    m_allocated = 0;
}

} // namespace quiverel
