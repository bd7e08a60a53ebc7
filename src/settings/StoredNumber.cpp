#include "settings/StoredNumber.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace quiverel {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The whole text read as a finite decimal number; a leading "+" is accepted.
std::optional<double> parseNumber(std::string_view text) {
    text = trimmed(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::int16_t storedInt16(std::string_view text, std::int16_t fallback) {
    const std::optional<double> value = parseNumber(text);
    if (!value) {
        return fallback;
    }
    // Halves go to the even neighbour, as a conversion to a whole number does.
    const double rounded = std::nearbyint(*value);
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max()) {
        return fallback;
    }
    return static_cast<std::int16_t>(rounded);
}

float storedSingle(std::string_view text, float fallback) {
    const std::optional<double> value = parseNumber(text);
    if (!value || std::abs(*value) > std::numeric_limits<float>::max()) {
        return fallback;
    }
    return static_cast<float>(*value);
}

std::string formatSingle(float value) {
    // The widest float in fixed notation takes 40 characters.
    char buffer[64];
    const std::to_chars_result written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, written.ptr);
}

} // namespace quiverel
