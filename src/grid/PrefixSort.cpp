#include "grid/PrefixSort.h"

#include "kit/AsideThread.h"
#include "listing/LetterCase.h"
#include "listing/PathText.h"

#include <algorithm>
#include <chrono>
#include <future>

namespace quiverel {
namespace {

constexpr std::size_t prefixBytes = 11;
constexpr std::uint32_t longerThanPrefix = prefixBytes + 1;

// Below this many rows a sort is not worth a second thread.
constexpr std::size_t rowsForTwoThreads = std::size_t{1} << 16;
// How long the calling thread waits for work done aside between calls of whileWorking.
constexpr std::chrono::milliseconds waitSlice{10};

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

} // namespace

SortEntry sortEntryFor(std::string_view key, std::uint32_t index) {
    unsigned char folded[prefixBytes] = {};
    std::size_t foldedSize = std::min(key.size(), prefixBytes);
    bool longer = key.size() > prefixBytes;
    if (asciiRunLength(key.substr(0, prefixBytes)) == foldedSize) {
        for (std::size_t i = 0; i < foldedSize; ++i) {
            folded[i] = static_cast<unsigned char>(upperAscii(key[i]));
        }
    } else {
        // Outside ASCII, upper case may change a character's length: the folded text decides.
        std::string upper;
        longer = !appendUpperPrefix(upper, key, prefixBytes) || upper.size() > prefixBytes;
        foldedSize = std::min(upper.size(), prefixBytes);
        std::copy_n(upper.begin(), foldedSize, folded);
    }
    std::uint64_t high = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        high = (high << 8) | folded[i];
    }
    const std::uint32_t lengthClass =
        longer ? longerThanPrefix : static_cast<std::uint32_t>(foldedSize);
    const std::uint32_t low = (std::uint32_t{folded[8]} << 24) | (std::uint32_t{folded[9]} << 16) |
                              (std::uint32_t{folded[10]} << 8) | lengthClass;
    return {high, low, index};
}

bool keyGoesOn(const SortEntry& entry) {
    return (entry.low & 0xFF) == longerThanPrefix;
}

void sortEntries(std::vector<SortEntry>& entries,
                 const std::function<void(std::span<SortEntry>)>& orderRun) {
    sortByPrefix(entries);
    for (auto run = entries.begin(); run != entries.end();) {
        const auto end = std::find_if(run + 1, entries.end(), [&](const SortEntry& entry) {
            return !samePrefix(entry, *run);
        });
        if (end - run > 1) {
            orderRun(std::span(run, end));
        }
        run = end;
    }
}

void workAside(const std::function<void()>& work, const std::function<void()>& whileWorking) {
    std::packaged_task<void()> task(work);
    std::future<void> done = task.get_future();
    const AsideThread aside([&task] { task(); });
    if (!aside.started()) {
        work();
        return;
    }
    whileWorking();
    while (done.wait_for(waitSlice) != std::future_status::ready) {
        whileWorking();
    }
    done.get();
}

} // namespace quiverel
