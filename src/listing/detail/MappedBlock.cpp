#include "listing/detail/MappedBlock.h"

#include <new>
#include <sys/mman.h>
#include <utility>

namespace quiverel {

MappedBlock::MappedBlock(std::size_t bytes) {
    if (bytes == 0) {
        return;
    }
    void* mapped =
        ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) {
        throw std::bad_alloc();
    }
    m_data = static_cast<char*>(mapped);
    m_size = bytes;
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
