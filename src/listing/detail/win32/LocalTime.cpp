#include "listing/LocalTime.h"

namespace quiverel {
namespace {

// The Gregorian calendar repeats itself, weekdays and leap days alike, every 400 years.
constexpr std::int64_t fourHundredYears = 146097LL * 86400;
constexpr std::int64_t year2000 = 946684800;
// Times so far off that their year would not fit the fields.
constexpr std::int64_t beyondAnyYear = fourHundredYears * 5000000;

// Windows' C library tells the fields of times from 1970 to 3000 only, and applies the same
// rules of its time zone to every year. So a time is moved by whole 400-year cycles into the
// years 2000 to 2399, told there, and its year moved back.
template <class Tell> bool toldThroughCycles(std::int64_t seconds, std::tm& out, Tell tell) {
    if (seconds > beyondAnyYear || seconds < -beyondAnyYear) {
        return false;
    }
    std::int64_t cycles = (seconds - year2000) / fourHundredYears;
    if (seconds - year2000 < cycles * fourHundredYears) {
        --cycles;
    }
    const __time64_t inRange = seconds - cycles * fourHundredYears;
    if (tell(&out, &inRange) != 0) {
        return false;
    }
    out.tm_year += static_cast<int>(cycles * 400);
    return true;
}

} // namespace

bool localTimeOf(std::int64_t seconds, std::tm& out) {
    return toldThroughCycles(seconds, out, _localtime64_s);
}

bool universalTimeOf(std::int64_t seconds, std::tm& out) {
    return toldThroughCycles(seconds, out, _gmtime64_s);
}

} // namespace quiverel
