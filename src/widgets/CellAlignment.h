#pragma once

#include <Qt>

#include <cstdint>
#include <string_view>

namespace quiverel {

// True when the text reads as a number: blanks around, an optional sign, digits (with or
// without thousands commas) and an optional fraction and exponent, at least one digit.
bool looksNumeric(std::string_view text);

// How a cell of a column with the given ColAlignment (0 to 9) is drawn. The general alignment
// (9) puts text that reads as a number at the right, other text at the left; all vertically
// centred.
Qt::Alignment cellAlignment(std::int16_t colAlignment, std::string_view text);

} // namespace quiverel
