#include "listing/PathText.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace quiverel {
namespace {

constexpr std::string_view replacementCharacter = "\xEF\xBF\xBD";

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of a network share's start, "\\server\share\", in a path that begins with two
// separators.
std::size_t shareRootLength(std::string_view path) {
    std::size_t at = 2;
    for (int part = 0; part < 2 && at < path.size(); ++part) {
        while (at < path.size() && !isPathSeparator(path[at])) {
            ++at;
        }
        if (at < path.size()) {
            ++at;
        }
    }
    return at;
}

bool isDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

std::size_t rootLength(std::string_view path) {
    if constexpr (pathSeparator == '/') {
        return path.starts_with('/') ? 1 : 0;
    }
    if (path.size() >= 2 && isPathSeparator(path[0]) && isPathSeparator(path[1])) {
        return shareRootLength(path);
    }
    if (path.size() >= 2 && isDriveLetter(path[0]) && path[1] == ':') {
        return path.size() >= 3 && isPathSeparator(path[2]) ? 3 : 2;
    }
    return 0;
}

std::size_t validSequenceLength(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char minSecond = 0x80;
    unsigned char maxSecond = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) {
            minSecond = 0xA0; // no overlong forms
        } else if (lead == 0xED) {
            maxSecond = 0x9F; // no surrogates
        }
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) {
            minSecond = 0x90;
        } else if (lead == 0xF4) {
            maxSecond = 0x8F; // nothing past U+10FFFF
        }
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    const auto second = static_cast<unsigned char>(text[i + 1]);
    if (second < minSecond || second > maxSecond) {
        return 0;
    }
    for (std::size_t k = 2; k < length; ++k) {
        if (!isContinuation(static_cast<unsigned char>(text[i + k]))) {
            return 0;
        }
    }
    return length;
}

std::size_t asciiRunLength(std::string_view text) {
    constexpr std::uint64_t highBits = 0x8080808080808080ull;
    std::size_t i = 0;
    for (; i + sizeof(std::uint64_t) <= text.size(); i += sizeof(std::uint64_t)) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, sizeof word);
        if ((word & highBits) != 0) {
            break;
        }
    }
    while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80) {
        ++i;
    }
    return i;
}

std::string toDisplayText(std::string_view nativePath) {
    std::string display;
    appendDisplayText(display, nativePath);
    return display;
}

void appendDisplayText(std::string& out, std::string_view nativePath) {
    // Valid stretches are copied whole; only an invalid byte breaks a stretch.
    out.reserve(out.size() + nativePath.size());
    std::size_t stretch = 0;
    std::size_t i = asciiRunLength(nativePath);
    while (i < nativePath.size()) {
        const std::size_t length = validSequenceLength(nativePath, i);
        if (length == 0) {
            out.append(nativePath.substr(stretch, i - stretch));
            out += replacementCharacter;
            stretch = ++i;
        } else {
            i += length;
        }
        i += asciiRunLength(nativePath.substr(i));
    }
    out.append(nativePath.substr(stretch));
}

bool isValidUtf8(std::string_view nativePath) {
    std::size_t i = asciiRunLength(nativePath);
    while (i < nativePath.size()) {
        const std::size_t length = validSequenceLength(nativePath, i);
        if (length == 0) {
            return false;
        }
        i += length;
        i += asciiRunLength(nativePath.substr(i));
    }
    return true;
}

} // namespace quiverel
