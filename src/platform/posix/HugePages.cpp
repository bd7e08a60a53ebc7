#include "platform/posix/HugePages.h"

#include <cstdint>
#include <sys/mman.h>

namespace quiverel::fs {

void adviseHugePages(void* data, std::size_t bytes) {
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    constexpr std::uintptr_t pageMask = hugePageBytes - 1;
    const std::uintptr_t first = (start + pageMask) & ~pageMask;
    const std::uintptr_t end = (start + bytes) & ~pageMask;
    if (end > first) {
        ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
    }
}

} // namespace quiverel::fs
