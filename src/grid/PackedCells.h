#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quiverel {

// Cell texts of a few common forms kept as numbers: a number put back into text gives the very
// text it came from, and a text of any other form has no number.

// A time stamp "yyyy/mm/dd hh:mm" of a real month, day, hour and minute, years 1600 to 9616.
std::optional<std::uint32_t> packedStamp(std::string_view text);
void appendPackedStamp(std::uint32_t packed, std::string& out);

// A size in kilobytes "12,345KB": digits in groups of three separated by commas, no leading
// zero but for "0KB".
// appendKilobytes (listing/FactTexts.h) writes the number back.
std::optional<std::uint64_t> packedKilobytes(std::string_view text);

} // namespace quiverel
