#include "kit/MappedBlock.h"

#include "kit/HugePages.h"
#include "kit/SystemPages.h"

#include <new>
#include <utility>

namespace quiverel {

MappedBlock::MappedBlock(std::size_t bytes, Pages pages) {
    if (bytes == 0) {
        return;
    }
    const bool huge =
        pages == Pages::Huge && fs::hugePagesOnRequest() && bytes % fs::hugePageBytes == 0;
    // Mapped with a huge page to spare, then cut down to the whole pages inside.
    const std::size_t spare = huge ? fs::hugePageBytes : 0;
    void* mapped = fs::mapPages(bytes + spare);
    if (mapped == nullptr) {
        throw std::bad_alloc();
    }
    m_data = static_cast<char*>(mapped);
    m_size = bytes;
    if (huge) {
        const std::size_t head = fs::bytesToHugePageBoundary(mapped);
        if (head > 0) {
            fs::unmapPages(m_data, head);
        }
        m_data += head;
        if (spare > head) {
            fs::unmapPages(m_data + bytes, spare - head);
        }
        fs::adviseHugePages(m_data, bytes);
    }
}

MappedBlock::~MappedBlock() {
    release();
}

MappedBlock::MappedBlock(MappedBlock&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0)) {}

MappedBlock& MappedBlock::operator=(MappedBlock&& other) noexcept {
    if (this != &other) {
        release();
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
    }
    return *this;
}

void MappedBlock::release() noexcept {
    if (m_data != nullptr) {
        fs::unmapPages(m_data, m_size);
        m_data = nullptr;
        m_size = 0;
    }
}

} // namespace quiverel
