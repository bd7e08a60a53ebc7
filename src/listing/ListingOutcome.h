#pragma once

#include <cstdint>
#include <string>

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
    std::string reason;     // for Failed: the system's reason
};

} // namespace quiverel
