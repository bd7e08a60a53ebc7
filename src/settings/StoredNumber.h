#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quiverel {

// Numbers as the settings store keeps them: plain decimal text. A text that is empty, not a
// number or out of the target's range yields the fallback, so a damaged store never stops the
// program from starting.
std::int16_t storedInt16(std::string_view text, std::int16_t fallback);
float storedSingle(std::string_view text, float fallback);

// Plain decimal text without grouping and without a fractional part for whole values: the
// shortest form that reads back as the same value ("1000", "1012.5").
std::string formatSingle(float value);

} // namespace quiverel
