#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

namespace quiverel {

// How a listing ended.
struct ListingOutcome {
    enum class Kind {
        Listed,       // rows were written
        NothingFound, // no row was written
        Cancelled,    // the cancel flag ended the listing; the rows written before stay
        Failed,       // the listing stopped at a failure; the rows written before stay
    };
    Kind kind = Kind::NothingFound;
    std::int32_t rows = 0;  // rows written
    std::string failedPath; // for Failed: the display text of the path concerned, if any
    std::string reason;     // for Failed: the system's reason, or "out of memory"
    // Files passed over because their time stamps could not be read, and the display texts of
    // the first few of them, in the order they were met.
    long long passedOver = 0;
    std::vector<std::string> firstPassedOver;
    static constexpr std::size_t passedOverNamed = 3;
};

// The reason a failure gives: its own text, or "out of memory" in plain words.
std::string failureReason(const std::exception& failure);

} // namespace quiverel
