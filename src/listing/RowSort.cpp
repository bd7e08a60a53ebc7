#include "listing/RowSort.h"

#include "listing/PathText.h"
#include "listing/RowStore.h"

#include <algorithm>
#include <cstdint>
#include <system_error>
#include <thread>
#include <vector>

namespace quiverel {
namespace {

// The first eleven bytes of a key, folded, and its length up to twelve, packed so that comparing
// the numbers compares the keys: completely for keys of up to eleven bytes, and for longer keys
// up to their first eleven bytes. Only rows whose prefixes are equal are read again.
constexpr std::size_t prefixBytes = 11;
constexpr std::uint32_t longerThanPrefix = prefixBytes + 1;

// Below this many rows a sort is not worth a second thread.
constexpr std::size_t rowsForTwoThreads = std::size_t{1} << 16;

struct SortEntry {
    std::uint64_t high;  // folded bytes 0 to 7, the first in the top byte
    std::uint32_t low;   // folded bytes 8 to 10, then the length class
    std::uint32_t index; // the row's position within the rows sorted
};
static_assert(sizeof(SortEntry) == 16);

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

// Orders entries by their prefixes, then by the rest of the keys read from the rows, then by
// the rows' places, so no two entries are equal and the order is stable.
class EntryOrder {
public:
    EntryOrder(std::span<const RowStore::Slot> slots, std::size_t firstKey, std::size_t lastKey)
        : m_slots(slots), m_firstKey(firstKey), m_lastKey(lastKey) {}

    bool operator()(const SortEntry& a, const SortEntry& b) const {
        if (a.high != b.high) {
            return a.high < b.high;
        }
        if (a.low != b.low) {
            return a.low < b.low;
        }
        const int order = restCompare(a, b);
        return order != 0 ? order < 0 : a.index < b.index;
    }

private:
    // The rest of a long first key, then the other key columns.
    int restCompare(const SortEntry& a, const SortEntry& b) const {
        const RowStore::Slot& rowA = m_slots[a.index];
        const RowStore::Slot& rowB = m_slots[b.index];
        const std::size_t from = (a.low & 0xFF) == longerThanPrefix ? m_firstKey : m_firstKey + 1;
        for (std::size_t key = from; key <= m_lastKey; ++key) {
            const int order =
                compareFolded(RowStore::cellOf(rowA, key), RowStore::cellOf(rowB, key));
            if (order != 0) {
                return order;
            }
        }
        return 0;
    }

    std::span<const RowStore::Slot> m_slots;
    std::size_t m_firstKey;
    std::size_t m_lastKey;
};

// Sorts a large range on two threads: it is split around the middle of a sample of its entries,
// and each part is sorted on a thread of its own. Without a second thread, on this one.
void sortEntries(std::vector<SortEntry>& entries, const EntryOrder& order) {
    if (entries.size() < rowsForTwoThreads) {
        std::sort(entries.begin(), entries.end(), order);
        return;
    }
    constexpr std::size_t sampleSize = 255;
    std::vector<SortEntry> sample;
    for (std::size_t i = 0; i < sampleSize; ++i) {
        sample.push_back(entries[i * (entries.size() - 1) / (sampleSize - 1)]);
    }
    std::sort(sample.begin(), sample.end(), order);
    const SortEntry pivot = sample[sampleSize / 2];
    const auto middle = std::partition(entries.begin(), entries.end(),
                                       [&](const SortEntry& entry) { return order(entry, pivot); });
    std::thread lowerPart;
    try {
        lowerPart = std::thread([&] { std::sort(entries.begin(), middle, order); });
    } catch (const std::system_error&) {
        std::sort(entries.begin(), middle, order);
    }
    std::sort(middle, entries.end(), order);
    if (lowerPart.joinable()) {
        lowerPart.join();
    }
}

// Moves each slot to the place the sorted entries give it, following each cycle of the
// permutation once; an entry whose index equals its place is done.
void applyOrder(std::span<RowStore::Slot> slots, std::vector<SortEntry>& entries) {
    for (std::uint32_t start = 0; start < entries.size(); ++start) {
        if (entries[start].index == start) {
            continue;
        }
        const RowStore::Slot moving = slots[start];
        std::uint32_t place = start;
        while (true) {
            const std::uint32_t source = entries[place].index;
            entries[place].index = place;
            if (source == start) {
                slots[place] = moving;
                break;
            }
            slots[place] = slots[source];
            place = source;
        }
    }
}

} // namespace

void sortRows(RowStore& rows, std::size_t first, std::size_t last, std::size_t firstKey,
              std::size_t lastKey) {
    const std::span<RowStore::Slot> slots = rows.settledSlots().subspan(first, last - first + 1);
    std::vector<SortEntry> entries;
    entries.reserve(slots.size());
    for (std::uint32_t i = 0; i < slots.size(); ++i) {
        entries.push_back(entryFor(RowStore::cellOf(slots[i], firstKey), i));
    }
    sortEntries(entries, EntryOrder(slots, firstKey, lastKey));
    applyOrder(slots, entries);
}

} // namespace quiverel
