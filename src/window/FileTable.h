#pragma once

#include <string>
#include <vector>

namespace quiverel {

// Paths handed to a batch. Entry 0 is left empty and never read; entries 1 to n hold the
// paths in order, as native bytes exactly as the file system or the caller gave them.
using FileTable = std::vector<std::string>;

} // namespace quiverel
