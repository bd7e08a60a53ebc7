#pragma once

#include "listing/EventPacer.h"

#include <atomic>
#include <utility>

namespace quiverel {

// How a listing's caller keeps hold of it: the listing lets the caller's events through with
// yield (before each descent of a folder search, and now and then inside long loops, as the
// pacer decides), stops at the next test of the cancel flag, and counts the files it finds.
// cancel() and filesFound() may be called from any thread, or from inside yield.
class ListingControl {
public:
    explicit ListingControl(
        EventPacer::Yield yield = [] {}, EventPacer::TimeSource now = EventPacer::Clock::now)
        : m_pacer(std::move(yield), std::move(now)) {}

    void cancel() { m_cancel = true; }
    const std::atomic<bool>& cancelFlag() const { return m_cancel; }
    bool cancelRequested() const { return m_cancel; }
    // Files found so far by the listing running or last run, for a progress display.
    long long filesFound() const { return m_found; }

    // The pacing of the yields; the caller goes on with it for the work that follows a listing
    // on the same thread (sorting and numbering the rows).
    EventPacer& pacer() { return m_pacer; }

    // For the listing: a new count, and a new listing's cancel flag.
    void resetFound() { m_found = 0; }
    void countFound(long long files) { m_found += files; }
    void clearCancel() { m_cancel = false; }

private:
    EventPacer m_pacer;
    std::atomic<bool> m_cancel{false};
    std::atomic<long long> m_found{0};
};

} // namespace quiverel
