#pragma once

#include <cstddef>

namespace quiverel {

class RowStore;

// Re-orders rows first..last ascending by the cells of the key columns firstKey..lastKey, each
// compared with ASCII letters folded to upper case; rows with equal keys keep their order.
// Only the rows' slots move.
void sortRows(RowStore& rows, std::size_t first, std::size_t last, std::size_t firstKey,
              std::size_t lastKey);

} // namespace quiverel
