#pragma once

#include <cstddef>

namespace quiverel::fs {

// The size of a huge page where the system has them (x86-64 and most others).
inline constexpr std::size_t hugePageBytes = std::size_t{2} << 20;

// The bytes from at up to the next huge page boundary; none when at lies on one.
std::size_t bytesToHugePageBoundary(const void* at);

// Asks the system to back the whole huge pages (2 MiB) that lie within the bytes with huge
// pages, where it offers them on request. A large buffer about to be written then costs one page
// fault per 2 MiB instead of one per 4 KiB, which matters on machines where a fault is dear
// (virtual ones). Only a hint: nothing changes where it is not taken.
void adviseHugePages(void* data, std::size_t bytes);

} // namespace quiverel::fs
