#include "listing/LetterCase.h"

#include "listing/LetterCaseTable.h"
#include "listing/PathText.h"

#include <algorithm>

namespace quiverel {
namespace {

char32_t decode(std::string_view text, std::size_t i, std::size_t length) {
    const auto byte = [&](std::size_t k) {
        return static_cast<char32_t>(static_cast<unsigned char>(text[i + k]));
    };
    switch (length) {
    case 1:
        return byte(0);
    case 2:
        return ((byte(0) & 0x1F) << 6) | (byte(1) & 0x3F);
    case 3:
        return ((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
    default:
        return ((byte(0) & 0x07) << 18) | ((byte(1) & 0x3F) << 12) | ((byte(2) & 0x3F) << 6) |
               (byte(3) & 0x3F);
    }
}

void encode(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Appends the upper case of the character (or the invalid byte) at text[i]; returns the
// position after it.
std::size_t appendUpperAt(std::string& out, std::string_view text, std::size_t i) {
    const std::size_t length = validSequenceLength(text, i);
    if (length <= 1) {
        out += length == 1 ? upperAscii(text[i]) : text[i];
        return i + 1;
    }
    encode(out, upperCodePoint(decode(text, i, length)));
    return i + length;
}

bool isContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

int compareBytes(std::string_view a, std::string_view b) {
    const int order = a.compare(b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

} // namespace

char32_t upperCodePoint(char32_t c) {
    if (c < 0x80) {
        return static_cast<char32_t>(upperAscii(static_cast<char>(c)));
    }
    const auto* runs = std::begin(letterCase::upperRuns);
    const auto* end = std::end(letterCase::upperRuns);
    const auto* run = std::upper_bound(
        runs, end, c, [](char32_t x, const letterCase::UpperRun& r) { return x < r.first; });
    if (run == runs) {
        return c;
    }
    --run;
    if (c > run->last || (c - run->first) % run->stride != 0) {
        return c;
    }
    return static_cast<char32_t>(static_cast<std::int32_t>(c) + run->delta);
}

void upperCase(std::string& text) {
    const std::size_t ascii = asciiRunLength(text);
    for (std::size_t i = 0; i < ascii; ++i) {
        text[i] = upperAscii(text[i]);
    }
    if (ascii == text.size()) {
        return;
    }
    std::string upper(text, 0, ascii);
    upper.reserve(text.size() + 4);
    for (std::size_t i = ascii; i < text.size();) {
        i = appendUpperAt(upper, text, i);
    }
    text = std::move(upper);
}

std::string toUpperCase(std::string_view text) {
    std::string upper(text);
    upperCase(upper);
    return upper;
}

bool appendUpperPrefix(std::string& out, std::string_view text, std::size_t limit) {
    const std::size_t start = out.size();
    std::size_t i = 0;
    while (i < text.size() && out.size() - start <= limit) {
        i = appendUpperAt(out, text, i);
    }
    return i == text.size();
}

int compareFolded(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (a[i] == b[i]) {
            continue;
        }
        const auto x = static_cast<unsigned char>(upperAscii(a[i]));
        const auto y = static_cast<unsigned char>(upperAscii(b[i]));
        if (x < 0x80 && y < 0x80) {
            if (x != y) {
                return x < y ? -1 : 1;
            }
            continue;
        }
        // Past the first letter outside ASCII that differs, the rest is compared upper-cased
        // whole, from the start of the character both texts share so far.
        while (i > 0 && isContinuation(a[i])) {
            --i;
        }
        return compareBytes(toUpperCase(a.substr(i)), toUpperCase(b.substr(i)));
    }
    if (a.size() == b.size()) {
        return 0;
    }
    // The longer text may still fold to as many bytes as the shorter (ı to I).
    return compareBytes(toUpperCase(a.substr(common)), toUpperCase(b.substr(common)));
}

} // namespace quiverel
