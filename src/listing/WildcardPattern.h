#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quiverel {

// A target file pattern: parts separated by ";", each with "*" (any run) and "?" (any one
// character), matched without regard to letter case; blanks around parts are ignored.
// "*.*" matches every name; a part ending in ".*" also matches a name without a dot when the
// rest matches that name whole. Empty parts are ignored; a pattern with no other part (empty,
// or only blanks and ";") matches every name.
class WildcardPattern {
public:
    // nullopt for a pattern that can never match a name (a part holding a separator or a NUL).
    static std::optional<WildcardPattern> parse(std::string_view pattern);
    // name is a display text (UTF-8); "?" stands for one code point.
    bool matches(std::string_view name) const;
    // Whether the pattern has no part at all: empty, or only blanks and ";".
    static bool isBlank(std::string_view pattern);

private:
    std::vector<std::string> m_parts;
};

} // namespace quiverel
