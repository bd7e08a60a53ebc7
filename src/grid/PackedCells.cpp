#include "grid/PackedCells.h"

#include "listing/FactTexts.h"

namespace quiverel {
namespace {

constexpr std::uint32_t firstYear = 1600;
constexpr std::uint32_t lastYear = 9616; // the last whose minutes fit in 32 bits
constexpr std::string_view stampForm = "0000/00/00 00:00";
constexpr std::string_view kilobytesUnit = "KB";
// Up to twenty digits, six commas and the unit.
constexpr std::size_t longestKilobytes = 28;

// The number the digits at text[from, from + count) spell.
std::uint32_t digitsAt(std::string_view text, std::size_t from, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        value = value * 10 + static_cast<std::uint32_t>(text[i] - '0');
    }
    return value;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::optional<std::uint32_t> packedStamp(std::string_view text) {
    if (text.size() != stampForm.size()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (stampForm[i] == '0' ? !isDigit(text[i]) : text[i] != stampForm[i]) {
            return std::nullopt;
        }
    }
    const std::uint32_t year = digitsAt(text, 0, 4);
    const std::uint32_t month = digitsAt(text, 5, 2);
    const std::uint32_t day = digitsAt(text, 8, 2);
    const std::uint32_t hour = digitsAt(text, 11, 2);
    const std::uint32_t minute = digitsAt(text, 14, 2);
    if (year < firstYear || year > lastYear || month < 1 || month > 12 || day < 1 || day > 31 ||
        hour > 23 || minute > 59) {
        return std::nullopt;
    }
    return ((((year - firstYear) * 12 + month - 1) * 31 + day - 1) * 24 + hour) * 60 + minute;
}

void appendPackedStamp(std::uint32_t packed, std::string& out) {
    const std::uint32_t minute = packed % 60;
    packed /= 60;
    const std::uint32_t hour = packed % 24;
    packed /= 24;
    const std::uint32_t day = packed % 31 + 1;
    packed /= 31;
    const std::uint32_t month = packed % 12 + 1;
    const std::uint32_t year = packed / 12 + firstYear;
    appendStampFields(out, static_cast<int>(year), static_cast<int>(month), static_cast<int>(day),
                      static_cast<int>(hour), static_cast<int>(minute));
}

std::optional<std::uint64_t> packedKilobytes(std::string_view text) {
    if (!text.ends_with(kilobytesUnit) || text.size() > longestKilobytes) {
        return std::nullopt;
    }
    const std::string_view digits = text.substr(0, text.size() - kilobytesUnit.size());
    std::uint64_t value = 0;
    for (const char c : digits) {
        if (isDigit(c)) {
            if (value > (UINT64_MAX - 9) / 10) {
                return std::nullopt;
            }
            value = value * 10 + static_cast<std::uint64_t>(c - '0');
        } else if (c != ',') {
            return std::nullopt;
        }
    }
    // Only the text the number is written as again has this form.
    std::string again;
    appendKilobytes(again, value);
    if (again != text) {
        return std::nullopt;
    }
    return value;
}

} // namespace quiverel
