// The input is a pattern and a name separated by the first zero byte. Parsing and matching
// never fail on any bytes, the matcher keeps the properties users rely on, and on short inputs
// it agrees with a slow reference matcher.

#include "FuzzCheck.h"
#include "ReferenceWildcard.h"
#include "listing/LetterCase.h"
#include "listing/PathText.h"
#include "listing/WildcardPattern.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using quiverel::WildcardPattern;
using quiverel::fuzzing::check;

bool matchesIfUsable(std::string_view pattern, std::string_view name) {
    const auto parsed = WildcardPattern::parse(pattern);
    return parsed && parsed->matches(name);
}

std::string toLowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

// A name that can stand as a pattern for itself: nothing the pattern syntax gives a meaning.
bool isPlainName(std::string_view name) {
    constexpr std::string_view blanks = " \t";
    return !name.empty() && name.find_first_of("*?;/", 0) == std::string_view::npos &&
           name.find('\0') == std::string_view::npos &&
           blanks.find(name.front()) == std::string_view::npos &&
           blanks.find(name.back()) == std::string_view::npos;
}

// A pattern of blanks and ";" only: it names no files in particular.
bool isBlank(std::string_view pattern) {
    return pattern.find_first_not_of(" \t;") == std::string_view::npos;
}

void checkName(std::string_view pattern, std::string_view name) {
    const auto parsed = WildcardPattern::parse(pattern);
    const bool matched = parsed && parsed->matches(name);

    check(matchesIfUsable("*", name), "\"*\" matches every name");
    check(matchesIfUsable("*.*", name), "\"*.*\" matches every name");
    if (isPlainName(name)) {
        check(matchesIfUsable(name, name), "a plain name matches itself");
        check(matchesIfUsable(quiverel::toUpperCase(name), toLowerAscii(name)),
              "letter case does not matter");
    }
    if (isBlank(pattern)) {
        check(matched, "a blank pattern matches every name");
    }
    // Parts separated by ";" match what any one of them matches; blank parts match nothing.
    const auto separator = pattern.find(';');
    if (parsed && separator != std::string_view::npos && !isBlank(pattern)) {
        const auto partMatches = [&](std::string_view part) {
            return !isBlank(part) && matchesIfUsable(part, name);
        };
        const bool either =
            partMatches(pattern.substr(0, separator)) || partMatches(pattern.substr(separator + 1));
        check(matched == either, "a pattern matches what any of its parts matches");
    }
    // The reference takes time proportional to pattern times name length.
    constexpr std::size_t referenceLimit = 512;
    if (parsed && pattern.size() <= referenceLimit && name.size() <= referenceLimit) {
        check(matched == quiverel::fuzzing::referenceMatches(pattern, name),
              "the matcher agrees with the reference matcher");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto zero = input.find('\0');
    const std::string_view pattern = input.substr(0, zero);
    const std::string_view rawName =
        zero == std::string_view::npos ? std::string_view() : input.substr(zero + 1);

    // Raw bytes as a name must not trouble the matcher either.
    if (const auto parsed = WildcardPattern::parse(pattern)) {
        parsed->matches(rawName);
    }
    checkName(pattern, quiverel::toDisplayText(rawName));
    return 0;
}
