#pragma once

#include <string>
#include <string_view>

namespace quiverel {

// The upper case of a character: every letter with a one-character upper case is folded
// (a to z, full-width ａ to ｚ, ü, ω ...); any other character stays as it is.
char32_t upperCodePoint(char32_t c);

// Upper-cases every letter of the UTF-8 text; bytes that are not valid UTF-8 stay as they are.
void upperCase(std::string& text);
std::string toUpperCase(std::string_view text);

// Compares the texts as upper-cased, byte by byte (for valid UTF-8, by code point). Negative,
// zero or positive like strcmp.
int compareFolded(std::string_view a, std::string_view b);

// Appends the upper case of the text's start to out until out has grown by more than limit
// bytes or the text has ended; returns whether the text has ended.
bool appendUpperPrefix(std::string& out, std::string_view text, std::size_t limit);

} // namespace quiverel
