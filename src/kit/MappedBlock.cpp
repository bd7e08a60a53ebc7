#include "kit/MappedBlock.h"

#include "kit/HugePages.h"

#include <new>
#include <sys/mman.h>
#include <utility>

namespace quiverel {

MappedBlock::MappedBlock(std::size_t bytes, Pages pages) {
    if (bytes == 0) {
        return;
    }
    const bool huge = pages == Pages::Huge && bytes % fs::hugePageBytes == 0;
    // Mapped with a huge page to spare, then cut down to the whole pages inside.
    const std::size_t spare = huge ? fs::hugePageBytes : 0;
    void* mapped =
        ::mmap(nullptr, bytes + spare, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) {
        throw std::bad_alloc();
    }
    m_data = static_cast<char*>(mapped);
    m_size = bytes;
    if (huge) {
        const std::size_t head = fs::bytesToHugePageBoundary(mapped);
        if (head > 0) {
            ::munmap(m_data, head);
        }
        m_data += head;
        if (spare > head) {
            ::munmap(m_data + bytes, spare - head);
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
        ::munmap(m_data, m_size);
        m_data = nullptr;
        m_size = 0;
    }
}

} // namespace quiverel
