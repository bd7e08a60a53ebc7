#include "kit/SystemPages.h"
#include "kit/HugePages.h"

#include <windows.h>

namespace quiverel::fs {

// Windows gives large pages only to programs holding a privilege ordinary users lack.
bool hugePagesOnRequest() {
    return false;
}

void* mapPages(std::size_t bytes) {
    return ::VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void unmapPages(void* at, std::size_t) {
    ::VirtualFree(at, 0, MEM_RELEASE);
}

void adviseHugePages(void*, std::size_t) {}

} // namespace quiverel::fs
