#pragma once

#include <array>
#include <string>
#include <vector>

namespace quiverel {

// Paths handed to a batch. Entry 0 is left empty and never read; entries 1 to n hold the
// paths in order, as native bytes exactly as the file system or the caller gave them.
using FileTable = std::vector<std::string>;

// The column choice of a batch: element k is true when column k + 1 is written.
using ColumnFlags = std::array<bool, 7>;

} // namespace quiverel
