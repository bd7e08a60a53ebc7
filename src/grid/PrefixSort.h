#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace quiverel {

// A row's place in a sort by a text key, letters folded to upper case: the first eleven bytes of
// the folded key, and its folded length up to twelve, packed so that comparing the numbers compares
// the keys: completely for keys of up to eleven bytes, and for longer keys up to their first eleven
// bytes. Rows are sorted by these numbers alone; only runs of equal ones are then sorted
// further, by the keys read from their rows.
struct SortEntry {
    std::uint64_t high;  // folded bytes 0 to 7, the first in the top byte
    std::uint32_t low;   // folded bytes 8 to 10, then the length class
    std::uint32_t index; // the row's position within the rows sorted
};

SortEntry sortEntryFor(std::string_view key, std::uint32_t index);

// True when the entry's key is longer than the bytes it holds, so that keys equal in those
// bytes may still differ.
bool keyGoesOn(const SortEntry& entry);

// Sorts the entries by their numbers, equal ones by index (a large range on two threads), then
// calls orderRun on each run of two or more entries with equal numbers, to be ordered further.
void sortEntries(std::vector<SortEntry>& entries,
                 const std::function<void(std::span<SortEntry>)>& orderRun);

// Runs work on a thread of its own while this one calls whileWorking at once and then every
// few milliseconds until the work is done; here alone, without whileWorking, when no thread
// can be had. A failure of the work is thrown here; should whileWorking throw, the work is
// still waited for.
void workAside(const std::function<void()>& work, const std::function<void()>& whileWorking);

} // namespace quiverel
