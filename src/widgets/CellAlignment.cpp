#include "widgets/CellAlignment.h"

#include <array>
#include <cctype>

namespace quiverel {
namespace {

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Consumes a run of digits, commas allowed between them; returns how many digits it read.
std::size_t skipDigits(std::string_view& text, bool allowCommas) {
    std::size_t digits = 0;
    while (!text.empty() &&
           (isDigit(text.front()) || (allowCommas && digits > 0 && text.front() == ','))) {
        digits += isDigit(text.front()) ? 1 : 0;
        text.remove_prefix(1);
    }
    return digits;
}

void skipBlanks(std::string_view& text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
}

bool skipOne(std::string_view& text, std::string_view choices) {
    if (!text.empty() && choices.find(text.front()) != std::string_view::npos) {
        text.remove_prefix(1);
        return true;
    }
    return false;
}

// The flex grid's alignments 0 to 8: left, centre, right, each top, centre or bottom.
constexpr std::array<Qt::Alignment, 9> fixedAlignments = {
    Qt::AlignLeft | Qt::AlignTop,
    Qt::AlignLeft | Qt::AlignVCenter,
    Qt::AlignLeft | Qt::AlignBottom,
    Qt::AlignHCenter | Qt::AlignTop,
    Qt::AlignCenter,
    Qt::AlignHCenter | Qt::AlignBottom,
    Qt::AlignRight | Qt::AlignTop,
    Qt::AlignRight | Qt::AlignVCenter,
    Qt::AlignRight | Qt::AlignBottom,
};

} // namespace

bool looksNumeric(std::string_view text) {
    skipBlanks(text);
    skipOne(text, "+-");
    std::size_t digits = skipDigits(text, true);
    if (skipOne(text, ".")) {
        digits += skipDigits(text, false);
    }
    if (digits == 0) {
        return false;
    }
    if (skipOne(text, "eE")) {
        skipOne(text, "+-");
        if (skipDigits(text, false) == 0) {
            return false;
        }
    }
    skipBlanks(text);
    return text.empty();
}

Qt::Alignment cellAlignment(std::int16_t colAlignment, std::string_view text) {
    if (colAlignment >= 0 && colAlignment < static_cast<std::int16_t>(fixedAlignments.size())) {
        return fixedAlignments[static_cast<std::size_t>(colAlignment)];
    }
    return Qt::AlignVCenter | (looksNumeric(text) ? Qt::AlignRight : Qt::AlignLeft);
}

} // namespace quiverel
