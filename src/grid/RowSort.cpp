#include "grid/RowSort.h"

#include "grid/PrefixSort.h"
#include "grid/RowTable.h"
#include "listing/LetterCase.h"
#include "listing/PathText.h"

#include <algorithm>
#include <bit>
#include <vector>

namespace quiverel {

// The sort's view of the row table's slots.
class RowOrder {
public:
    using Slot = RowTable::Slot;
    static std::string_view cellOf(const Slot& slot, std::size_t col) {
        return RowTable::cellOf(slot, col);
    }
    static std::span<Slot> settledSlots(RowTable& rows) { return rows.settledSlots(); }
};

namespace {

using Slot = RowOrder::Slot;
static_assert(sizeof(SortEntry) == sizeof(Slot));

// Orders a run of entries with equal prefixes by the rest of their keys: the rest of a long first
// key, then the other key columns. Each row is read once; rows still equal keep their order.
class RunOrder {
public:
    RunOrder(std::span<const Slot> slots, std::size_t firstKey, std::size_t lastKey)
        : m_slots(slots), m_firstKey(firstKey), m_lastKey(lastKey) {}

    void sortRun(std::span<SortEntry> run) {
        const std::size_t from = keyGoesOn(run.front()) ? m_firstKey : m_firstKey + 1;
        if (from > m_lastKey) {
            return; // the keys are equal in full: the run is in order already
        }
        m_keys.clear();
        for (const SortEntry& entry : run) {
            m_keys.push_back({RowOrder::cellOf(m_slots[entry.index], from), entry});
        }
        std::stable_sort(m_keys.begin(), m_keys.end(),
                         [&](const Key& a, const Key& b) { return compare(a, b, from) < 0; });
        for (std::size_t i = 0; i < run.size(); ++i) {
            run[i] = m_keys[i].entry;
        }
    }

private:
    struct Key {
        std::string_view firstCompared; // the key column compared first
        SortEntry entry;
    };

    int compare(const Key& a, const Key& b, std::size_t from) const {
        int order = compareFolded(a.firstCompared, b.firstCompared);
        for (std::size_t key = from + 1; key <= m_lastKey && order == 0; ++key) {
            order = compareFolded(RowOrder::cellOf(m_slots[a.entry.index], key),
                                  RowOrder::cellOf(m_slots[b.entry.index], key));
        }
        return order;
    }

    std::span<const Slot> m_slots;
    std::size_t m_firstKey;
    std::size_t m_lastKey;
    std::vector<Key> m_keys;
};

// The slots in their new order, each in the memory of the entry that gave its place (the two
// are the same size), so that a million rows need no second array. Only reads the slots and
// their rows, so it may run on any thread while the table stays unchanged.
std::vector<SortEntry> sortedSlots(std::span<const Slot> slots, std::size_t firstKey,
                                   std::size_t lastKey) {
    std::vector<SortEntry> entries;
    entries.reserve(slots.size());
    for (std::uint32_t i = 0; i < slots.size(); ++i) {
        entries.push_back(sortEntryFor(RowOrder::cellOf(slots[i], firstKey), i));
    }
    RunOrder runOrder(slots, firstKey, lastKey);
    sortEntries(entries, [&runOrder](std::span<SortEntry> run) { runOrder.sortRun(run); });
    for (SortEntry& entry : entries) {
        entry = std::bit_cast<SortEntry>(slots[entry.index]);
    }
    return entries;
}

} // namespace

void sortRows(RowTable& rows, std::size_t first, std::size_t last, std::size_t firstKey,
              std::size_t lastKey, const std::function<void()>& whileOrdering) {
    const std::span<Slot> slots = RowOrder::settledSlots(rows).subspan(first, last - first + 1);
    // The rows are gathered in their new order apart from the table, which may be read
    // meanwhile, and copied back in one sequential pass.
    std::vector<SortEntry> sorted;
    const auto order = [&] {
        sorted = sortedSlots(slots, firstKey, lastKey);
    };
    if (whileOrdering) {
        workAside(order, whileOrdering);
    } else {
        order();
    }
    std::transform(sorted.begin(), sorted.end(), slots.begin(),
                   [](const SortEntry& slot) { return std::bit_cast<Slot>(slot); });
}

} // namespace quiverel
