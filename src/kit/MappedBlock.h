#pragma once

#include <cstddef>

namespace quiverel {

// A block of memory taken straight from the system and given straight back when the block goes,
// so that memory a large listing no longer needs leaves the process at once, whichever thread
// took it. Pages are only backed by memory once they are written.
class MappedBlock {
public:
    // Huge: a block of whole huge pages is placed on their boundary and backed by them where the
    // system offers them; a few page faults then fill it, and reading it scattered (sorted rows)
    // misses the address cache far less often. Each page written then takes 2 MiB at once.
    enum class Pages { Small, Huge };

    MappedBlock() = default;
    // Throws std::bad_alloc when the system has no room.
    explicit MappedBlock(std::size_t bytes, Pages pages = Pages::Small);
    ~MappedBlock();
    MappedBlock(MappedBlock&& other) noexcept;
    MappedBlock& operator=(MappedBlock&& other) noexcept;
    MappedBlock(const MappedBlock&) = delete;
    MappedBlock& operator=(const MappedBlock&) = delete;

    char* data() const { return m_data; }
    std::size_t size() const { return m_size; }

private:
    void release() noexcept;

    char* m_data = nullptr;
    std::size_t m_size = 0;
};

} // namespace quiverel
