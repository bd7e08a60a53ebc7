#include "listing/RowSort.h"

#include "listing/PathText.h"

#include <algorithm>
#include <compare>
#include <cstdint>

namespace quiverel {
namespace {

constexpr std::size_t packedBytes = sizeof(std::uint64_t);

// Up to eight bytes of a key, folded and packed big-endian, padded with zero bytes.
std::uint64_t packFolded(std::string_view bytes) {
    const std::string folded = toUpperAscii(bytes.substr(0, packedBytes));
    std::uint64_t packed = 0;
    for (std::size_t i = 0; i < packedBytes; ++i) {
        const auto byte = i < folded.size() ? static_cast<unsigned char>(folded[i]) : 0U;
        packed = (packed << 8) | byte;
    }
    return packed;
}

// The first sixteen bytes of a key, folded, so that most comparisons are settled without
// reaching into the rows. Keys whose prefixes are equal are compared in full.
struct FoldedPrefix {
    std::uint64_t high;
    std::uint64_t low;

    explicit FoldedPrefix(std::string_view key)
        : high(packFolded(key)),
          low(packFolded(key.size() > packedBytes ? key.substr(packedBytes) : std::string_view())) {
    }
    auto operator<=>(const FoldedPrefix&) const = default;
};

struct SortEntry {
    FoldedPrefix prefix;
    std::size_t row;
};

} // namespace

void sortRows(std::vector<PackedRow>& rows, std::size_t first, std::size_t last,
              std::size_t firstKey, std::size_t lastKey) {
    std::vector<SortEntry> entries;
    entries.reserve(last - first + 1);
    for (std::size_t row = first; row <= last; ++row) {
        entries.push_back({FoldedPrefix(rows[row].cell(firstKey)), row});
    }
    const auto keysCompare = [&](std::size_t a, std::size_t b) {
        for (std::size_t key = firstKey; key <= lastKey; ++key) {
            const int order = compareFolded(rows[a].cell(key), rows[b].cell(key));
            if (order != 0) {
                return order;
            }
        }
        return 0;
    };
    std::stable_sort(entries.begin(), entries.end(), [&](const SortEntry& a, const SortEntry& b) {
        if (a.prefix != b.prefix) {
            return a.prefix < b.prefix;
        }
        return keysCompare(a.row, b.row) < 0;
    });
    std::vector<PackedRow> sorted;
    sorted.reserve(entries.size());
    for (const SortEntry& entry : entries) {
        sorted.push_back(std::move(rows[entry.row]));
    }
    std::move(sorted.begin(), sorted.end(), rows.begin() + static_cast<std::ptrdiff_t>(first));
}

} // namespace quiverel
