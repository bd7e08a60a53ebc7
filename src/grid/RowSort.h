#pragma once

#include <cstddef>
#include <functional>

namespace quiverel {

class RowTable;

// Re-orders rows first..last ascending by the cells of the key columns firstKey..lastKey, each
// compared with ASCII letters folded to upper case; rows with equal keys keep their order.
// Only the rows' slots move.
//
// With whileOrdering, the new order is worked out on other threads, which only read
// the rows, while this thread calls whileOrdering at once and then every few milliseconds until
// the order is known; the rows are moved here afterwards. whileOrdering may read the table but
// must not change it.
void sortRows(RowTable& rows, std::size_t first, std::size_t last, std::size_t firstKey,
              std::size_t lastKey, const std::function<void()>& whileOrdering = {});

} // namespace quiverel
