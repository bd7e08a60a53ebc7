#include "listing/WildcardPattern.h"

#include "listing/LetterCase.h"
#include "listing/PathText.h"

#include <algorithm>

namespace quiverel {
namespace {

constexpr char partSeparator = ';';
constexpr std::string_view blanks = " \t";
constexpr std::string_view anyExtension = ".*";
constexpr std::string_view everyName = "*";

std::string_view trimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The position after the code point that starts at i.
std::size_t nextCodePoint(std::string_view text, std::size_t i) {
    ++i;
    while (i < text.size() && isContinuationByte(text[i])) {
        ++i;
    }
    return i;
}

// The length of the upper case of the name's character at n when the part has it at p; 0 when
// the part has something else there. The upper case of a character may be longer or shorter
// than the character itself (ı, U+0131, is I).
std::size_t upperMatchAt(std::string_view part, std::size_t p, std::string_view name,
                         std::size_t n) {
    if (static_cast<unsigned char>(name[n]) < 0x80) {
        return part[p] == upperAscii(name[n]) ? 1 : 0;
    }
    std::string upper;
    appendUpperPrefix(upper, name.substr(n, nextCodePoint(name, n) - n), 0);
    return part.substr(p).starts_with(upper) ? upper.size() : 0;
}

// Matches a whole name against one upper-cased part. A "*" that fails to match further on is
// retried one code point later, remembering only the most recent "*": a later "*" can absorb
// whatever an earlier one would, so the work stays proportional to pattern times name length.
bool matchesPart(std::string_view part, std::string_view name) {
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starPart = std::string_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (p < part.size() && part[p] == '*') {
            starPart = p++;
            starName = n;
        } else if (p < part.size() && part[p] == '?') {
            ++p;
            n = nextCodePoint(name, n);
        } else if (const std::size_t matched = p < part.size() ? upperMatchAt(part, p, name, n) : 0;
                   matched != 0) {
            p += matched;
            n = nextCodePoint(name, n);
        } else if (starPart != std::string_view::npos) {
            p = starPart + 1;
            starName = nextCodePoint(name, starName);
            n = starName;
        } else {
            return false;
        }
    }
    while (p < part.size() && part[p] == '*') {
        ++p;
    }
    return p == part.size();
}

bool matchesPartOrBareName(std::string_view part, std::string_view name) {
    if (matchesPart(part, name)) {
        return true;
    }
    // "name.*" also stands for a name that has no extension at all.
    return part.ends_with(anyExtension) && name.find('.') == std::string_view::npos &&
           matchesPart(part.substr(0, part.size() - anyExtension.size()), name);
}

} // namespace

std::optional<WildcardPattern> WildcardPattern::parse(std::string_view pattern) {
    WildcardPattern parsed;
    std::size_t start = 0;
    while (start <= pattern.size()) {
        std::size_t end = pattern.find(partSeparator, start);
        if (end == std::string_view::npos) {
            end = pattern.size();
        }
        const std::string_view part = trimBlanks(pattern.substr(start, end - start));
        // No name holds a separator ("/" on POSIX systems, "\" and "/" on Windows) or a NUL.
        if (std::any_of(part.begin(), part.end(), isPathSeparator) ||
            part.find('\0') != std::string_view::npos) {
            return std::nullopt;
        }
        if (!part.empty()) {
            parsed.m_parts.push_back(toUpperCase(toDisplayText(part)));
        }
        start = end + 1;
    }
    if (parsed.m_parts.empty()) {
        // A blank pattern names no files in particular: every file, as "*.*" does.
        parsed.m_parts.emplace_back(everyName);
    }
    return parsed;
}

bool WildcardPattern::isBlank(std::string_view pattern) {
    return pattern.find_first_not_of(std::string(blanks) + partSeparator) == std::string_view::npos;
}

bool WildcardPattern::matches(std::string_view name) const {
    for (const auto& part : m_parts) {
        if (matchesPartOrBareName(part, name)) {
            return true;
        }
    }
    return false;
}

} // namespace quiverel
