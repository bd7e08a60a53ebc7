#pragma once

#include "listing/PackedRow.h"

#include <cstddef>
#include <vector>

namespace quiverel {

// Re-orders rows[first..last] ascending by the cells of the key columns firstKey..lastKey, each
// compared with ASCII letters folded to upper case; rows with equal keys keep their order.
// Only the row handles move.
void sortRows(std::vector<PackedRow>& rows, std::size_t first, std::size_t last,
              std::size_t firstKey, std::size_t lastKey);

} // namespace quiverel
