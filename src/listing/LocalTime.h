#pragma once

#include <cstdint>
#include <ctime>

namespace quiverel {

// The calendar fields of a time (seconds since 1970-01-01 UTC) in the time zone the C library
// works in, or in UTC; false when the system cannot tell them. Any year a file system can
// hold is told, those before 1970 too.
bool localTimeOf(std::int64_t seconds, std::tm& out);
bool universalTimeOf(std::int64_t seconds, std::tm& out);

} // namespace quiverel
