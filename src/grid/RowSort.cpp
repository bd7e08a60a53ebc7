#include "grid/RowSort.h"

#include "grid/RowTable.h"
#include "listing/PathText.h"
#include "listing/detail/AsideThread.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstdint>
#include <future>
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

// The first eleven bytes of a key, folded, and its length up to twelve, packed so that comparing
// the numbers compares the keys: completely for keys of up to eleven bytes, and for longer keys
// up to their first eleven bytes. The entries are sorted by these numbers alone; only runs of
// equal ones are then sorted further, by the keys read from their rows.
constexpr std::size_t prefixBytes = 11;
constexpr std::uint32_t longerThanPrefix = prefixBytes + 1;

// Below this many rows a sort is not worth a second thread.
constexpr std::size_t rowsForTwoThreads = std::size_t{1} << 16;
// How long the calling thread waits for an order worked out aside between calls of whileOrdering.
constexpr std::chrono::milliseconds waitSlice{10};

struct SortEntry {
    std::uint64_t high;  // folded bytes 0 to 7, the first in the top byte
    std::uint32_t low;   // folded bytes 8 to 10, then the length class
    std::uint32_t index; // the row's position within the rows sorted
};
static_assert(sizeof(SortEntry) == sizeof(Slot));

SortEntry entryFor(std::string_view key, std::uint32_t index) {
    unsigned char folded[prefixBytes] = {};
    const std::size_t count = std::min(key.size(), prefixBytes);
    for (std::size_t i = 0; i < count; ++i) {
        folded[i] = static_cast<unsigned char>(upperAscii(key[i]));
    }
    std::uint64_t high = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        high = (high << 8) | folded[i];
    }
    const std::uint32_t lengthClass =
        key.size() > prefixBytes ? longerThanPrefix : static_cast<std::uint32_t>(key.size());
    const std::uint32_t low = (std::uint32_t{folded[8]} << 24) | (std::uint32_t{folded[9]} << 16) |
                              (std::uint32_t{folded[10]} << 8) | lengthClass;
    return {high, low, index};
}

bool prefixOrder(const SortEntry& a, const SortEntry& b) {
    if (a.high != b.high) {
        return a.high < b.high;
    }
    if (a.low != b.low) {
        return a.low < b.low;
    }
    return a.index < b.index;
}

bool samePrefix(const SortEntry& a, const SortEntry& b) {
    return a.high == b.high && a.low == b.low;
}

// Sorts by prefix and place; a large range on two threads: it is split around the middle of a
// sample of its entries, and each part is sorted on a thread of its own (on this one when no
// second thread can be had).
void sortByPrefix(std::vector<SortEntry>& entries) {
    if (entries.size() < rowsForTwoThreads) {
        std::sort(entries.begin(), entries.end(), prefixOrder);
        return;
    }
    constexpr std::size_t sampleSize = 255;
    std::vector<SortEntry> sample;
    for (std::size_t i = 0; i < sampleSize; ++i) {
        sample.push_back(entries[i * (entries.size() - 1) / (sampleSize - 1)]);
    }
    std::sort(sample.begin(), sample.end(), prefixOrder);
    const SortEntry pivot = sample[sampleSize / 2];
    const auto middle = std::partition(entries.begin(), entries.end(), [&](const SortEntry& entry) {
        return prefixOrder(entry, pivot);
    });
    const auto sortLowerPart = [&] {
        std::sort(entries.begin(), middle, prefixOrder);
    };
    const AsideThread lowerPart(sortLowerPart);
    if (!lowerPart.started()) {
        sortLowerPart();
    }
    std::sort(middle, entries.end(), prefixOrder);
}

// Orders a run of entries with equal prefixes by the rest of their keys: the rest of a long first
// key, then the other key columns. Each row is read once; rows still equal keep their order.
class RunOrder {
public:
    RunOrder(std::span<const Slot> slots, std::size_t firstKey, std::size_t lastKey)
        : m_slots(slots), m_firstKey(firstKey), m_lastKey(lastKey) {}

    void sortRun(std::span<SortEntry> run) {
        const std::size_t from =
            (run.front().low & 0xFF) == longerThanPrefix ? m_firstKey : m_firstKey + 1;
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
        entries.push_back(entryFor(RowOrder::cellOf(slots[i], firstKey), i));
    }
    sortByPrefix(entries);
    RunOrder runOrder(slots, firstKey, lastKey);
    for (auto run = entries.begin(); run != entries.end();) {
        const auto end = std::find_if(run + 1, entries.end(), [&](const SortEntry& entry) {
            return !samePrefix(entry, *run);
        });
        if (end - run > 1) {
            runOrder.sortRun(std::span(run, end));
        }
        run = end;
    }
    for (SortEntry& entry : entries) {
        entry = std::bit_cast<SortEntry>(slots[entry.index]);
    }
    return entries;
}

// The slots in their new order, worked out on a thread of its own while this one calls
// whileOrdering; on this one alone when no other thread can be had. Should whileOrdering throw,
// the other thread is still waited for before the rows can change.
std::vector<SortEntry> sortedSlotsAside(std::span<const Slot> slots, std::size_t firstKey,
                                        std::size_t lastKey,
                                        const std::function<void()>& whileOrdering) {
    std::packaged_task<std::vector<SortEntry>()> task(
        [slots, firstKey, lastKey] { return sortedSlots(slots, firstKey, lastKey); });
    std::future<std::vector<SortEntry>> order = task.get_future();
    const AsideThread aside([&task] { task(); });
    if (!aside.started()) {
        return sortedSlots(slots, firstKey, lastKey);
    }
    whileOrdering();
    while (order.wait_for(waitSlice) != std::future_status::ready) {
        whileOrdering();
    }
    return order.get();
}

} // namespace

void sortRows(RowTable& rows, std::size_t first, std::size_t last, std::size_t firstKey,
              std::size_t lastKey, const std::function<void()>& whileOrdering) {
    const std::span<Slot> slots = RowOrder::settledSlots(rows).subspan(first, last - first + 1);
    // The rows are gathered in their new order apart from the table, which may be read
    // meanwhile, and copied back in one sequential pass.
    const std::vector<SortEntry> sorted =
        whileOrdering ? sortedSlotsAside(slots, firstKey, lastKey, whileOrdering)
                      : sortedSlots(slots, firstKey, lastKey);
    std::transform(sorted.begin(), sorted.end(), slots.begin(),
                   [](const SortEntry& slot) { return std::bit_cast<Slot>(slot); });
}

} // namespace quiverel
