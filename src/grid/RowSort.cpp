#include "grid/RowSort.h"

#include "grid/PrefixSort.h"
#include "grid/RowTable.h"
#include "listing/LetterCase.h"
#include "listing/PathText.h"

#include <algorithm>
#include <bit>
#include <string>
#include <vector>

namespace quiverel {

// The sort's view of the row table's slots.
class RowOrder {
public:
    using Slot = RowTable::Slot;
    static std::string_view cellOf(const RowTable& rows, const Slot& slot, std::size_t col,
                                   std::string& composed) {
        return rows.cellOf(slot, col, composed);
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
    RunOrder(const RowTable& rows, std::span<const Slot> slots, std::size_t firstKey,
             std::size_t lastKey)
        : m_rows(rows), m_slots(slots), m_firstKey(firstKey), m_lastKey(lastKey) {}

    void sortRun(std::span<SortEntry> run) {
        const std::size_t from = keyGoesOn(run.front()) ? m_firstKey : m_firstKey + 1;
        if (from > m_lastKey) {
            return; // the keys are equal in full: the run is in order already
        }
        m_keys.clear();
        if (m_composed.size() < run.size()) {
            m_composed.resize(run.size());
        }
        for (std::size_t i = 0; i < run.size(); ++i) {
            m_keys.push_back({cellOf(run[i], from, m_composed[i]), run[i]});
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

    std::string_view cellOf(const SortEntry& entry, std::size_t col, std::string& composed) const {
        return RowOrder::cellOf(m_rows, m_slots[entry.index], col, composed);
    }

    int compare(const Key& a, const Key& b, std::size_t from) {
        int order = compareFolded(a.firstCompared, b.firstCompared);
        for (std::size_t key = from + 1; key <= m_lastKey && order == 0; ++key) {
            order =
                compareFolded(cellOf(a.entry, key, m_composedA), cellOf(b.entry, key, m_composedB));
        }
        return order;
    }

    const RowTable& m_rows;
    std::span<const Slot> m_slots;
    std::size_t m_firstKey;
    std::size_t m_lastKey;
    std::vector<Key> m_keys;
    // Keys put together from a folder text and their rest: one for each row of the run, and
    // the two further keys being compared.
    std::vector<std::string> m_composed;
    std::string m_composedA;
    std::string m_composedB;
};

// The slots in their new order, each in the memory of the entry that gave its place (the two
// are the same size), so that a million rows need no second array. Only reads the slots and
// their rows, so it may run on any thread while the table stays unchanged.
std::vector<SortEntry> sortedSlots(const RowTable& rows, std::span<const Slot> slots,
                                   std::size_t firstKey, std::size_t lastKey) {
    std::vector<SortEntry> entries;
    entries.reserve(slots.size());
    std::string composed;
    for (std::uint32_t i = 0; i < slots.size(); ++i) {
        entries.push_back(sortEntryFor(RowOrder::cellOf(rows, slots[i], firstKey, composed), i));
    }
    RunOrder runOrder(rows, slots, firstKey, lastKey);
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
        sorted = sortedSlots(rows, slots, firstKey, lastKey);
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
