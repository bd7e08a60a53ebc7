#include "kit/SystemPages.h"
#include "kit/HugePages.h"

#include <sys/mman.h>

namespace quiverel::fs {

bool hugePagesOnRequest() {
    return true;
}

void* mapPages(std::size_t bytes) {
    void* mapped =
        ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return mapped == MAP_FAILED ? nullptr : mapped;
}

void unmapPages(void* at, std::size_t bytes) {
    ::munmap(at, bytes);
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
