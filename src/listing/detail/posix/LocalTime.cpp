#include "listing/LocalTime.h"

namespace quiverel {

bool localTimeOf(std::int64_t seconds, std::tm& out) {
    const auto time = static_cast<std::time_t>(seconds);
    return localtime_r(&time, &out) != nullptr;
}

bool universalTimeOf(std::int64_t seconds, std::tm& out) {
    const auto time = static_cast<std::time_t>(seconds);
    return gmtime_r(&time, &out) != nullptr;
}

} // namespace quiverel
