#pragma once

#include <cstddef>
#include <string_view>

namespace quiverel::cli {

// The length in bytes of the control character that starts at text[at], 0 when none does.
// Control characters are what a terminal may take as a command: C0 (0x00 to 0x1F) and DEL
// (0x7F), one byte each, and C1 (U+0080 to U+009F, such as U+009B CSI), the two bytes C2 80 to
// C2 9F in UTF-8. The last byte of either is the character's code point.
inline std::size_t controlCharacterLength(std::string_view text, std::size_t at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x20 || byte == 0x7F) {
        return 1;
    }
    if (byte == 0xC2 && at + 1 < text.size()) {
        const auto next = static_cast<unsigned char>(text[at + 1]);
        return next >= 0x80 && next <= 0x9F ? 2 : 0;
    }
    return 0;
}

} // namespace quiverel::cli
