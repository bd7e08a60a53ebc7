#pragma once

// A slow and plainly correct wildcard matcher for the fuzzer to hold the real one against:
// each part is matched by filling a table over pattern and name positions, in code points.

#include "listing/LetterCase.h"
#include "listing/PathText.h"

#include <string>
#include <string_view>
#include <vector>

namespace quiverel::fuzzing {

// The code points of a UTF-8 text, each as its bytes.
inline std::vector<std::string_view> codePointsOf(std::string_view text) {
    std::vector<std::string_view> points;
    std::size_t start = 0;
    for (std::size_t i = 1; i <= text.size(); ++i) {
        if (i == text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            points.push_back(text.substr(start, i - start));
            start = i;
        }
    }
    return points;
}

// Whether a whole name matches one upper-cased part of "*" and "?".
inline bool referencePartMatches(std::string_view part, std::string_view name) {
    const std::string upperName = toUpperCase(name);
    const auto names = codePointsOf(upperName);
    // reached[j]: the part so far matches the first j code points of the name.
    std::vector<bool> reached(names.size() + 1, false);
    reached[0] = true;
    for (const auto token : codePointsOf(part)) {
        std::vector<bool> next(names.size() + 1, false);
        for (std::size_t j = 0; j <= names.size(); ++j) {
            if (token == "*") {
                next[j] = reached[j] || (j > 0 && next[j - 1]);
            } else if (j > 0) {
                next[j] = reached[j - 1] && (token == "?" || token == names[j - 1]);
            }
        }
        reached.swap(next);
    }
    return reached.back();
}

// Whether any part of a usable pattern matches the name, a part ending in ".*" also matching a
// name without a dot that the rest matches whole; a pattern without parts matches every name.
inline bool referenceMatches(std::string_view pattern, std::string_view name) {
    constexpr std::string_view blanks = " \t";
    constexpr std::string_view anyExtension = ".*";
    bool anyPart = false;
    std::size_t start = 0;
    while (start <= pattern.size()) {
        std::size_t end = pattern.find(';', start);
        if (end == std::string_view::npos) {
            end = pattern.size();
        }
        std::string_view raw = pattern.substr(start, end - start);
        start = end + 1;
        const std::size_t first = raw.find_first_not_of(blanks);
        if (first == std::string_view::npos) {
            continue;
        }
        anyPart = true;
        raw = raw.substr(first, raw.find_last_not_of(blanks) - first + 1);
        const std::string part = toUpperCase(toDisplayText(raw));
        if (referencePartMatches(part, name)) {
            return true;
        }
        if (part.ends_with(anyExtension) && name.find('.') == std::string_view::npos &&
            referencePartMatches(part.substr(0, part.size() - anyExtension.size()), name)) {
            return true;
        }
    }
    return !anyPart;
}

} // namespace quiverel::fuzzing
