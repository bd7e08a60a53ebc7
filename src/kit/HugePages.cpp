#include "kit/HugePages.h"

#include <cstdint>
#include <sys/mman.h>

namespace quiverel::fs {

std::size_t bytesToHugePageBoundary(const void* at) {
    const auto address = reinterpret_cast<std::uintptr_t>(at);
    return (hugePageBytes - address % hugePageBytes) % hugePageBytes;
}

void adviseHugePages(void* data, std::size_t bytes) {
    const std::size_t head = bytesToHugePageBoundary(data);
    if (bytes > head) {
        const std::size_t whole = (bytes - head) / hugePageBytes * hugePageBytes;
        if (whole > 0) {
            ::madvise(static_cast<char*>(data) + head, whole, MADV_HUGEPAGE);
        }
    }
}

} // namespace quiverel::fs
