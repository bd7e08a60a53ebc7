#include "kit/HugePages.h"

#include <cstdint>

namespace quiverel::fs {

std::size_t bytesToHugePageBoundary(const void* at) {
    const auto address = reinterpret_cast<std::uintptr_t>(at);
    return (hugePageBytes - address % hugePageBytes) % hugePageBytes;
}

} // namespace quiverel::fs
