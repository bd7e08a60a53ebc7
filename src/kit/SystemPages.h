#pragma once

#include <cstddef>

namespace quiverel::fs {

// Whether the system backs memory with huge pages when asked to (see adviseHugePages); where it
// does not, aligning a block to them gains nothing.
bool hugePagesOnRequest();

// Fresh pages of zeroes, for reading and writing, straight from the system; nullptr when it has
// none to give.
void* mapPages(std::size_t bytes);
// Gives pages back. Where huge pages are taken on request, any whole pages of a mapping may go
// back, its start or end; elsewhere only all of what one mapPages gave.
void unmapPages(void* at, std::size_t bytes);

} // namespace quiverel::fs
