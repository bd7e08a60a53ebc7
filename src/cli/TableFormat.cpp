#include "cli/TableFormat.h"

#include "cli/ControlCharacters.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace quiverel::cli {
namespace {

constexpr std::uint64_t everyByte = 0x0101010101010101ull;
constexpr std::uint64_t highBits = 0x8080808080808080ull;
constexpr char deleteCharacter = '\x7f';
// The first byte of every C1 control character in UTF-8.
constexpr char c1LeadByte = '\xc2';
constexpr char hexDigits[] = "0123456789ABCDEF";

// True when one of the eight bytes of word may be or start a control character, or be one of the
// marks a and b; false only when none is.
bool mayHoldSpecial(std::uint64_t word, char a, char b) {
    const auto zeroByteIn = [](std::uint64_t value) {
        return (value - everyByte) & ~value & highBits;
    };
    const auto byteIn = [&](char mark) {
        return zeroByteIn(word ^ (everyByte * static_cast<unsigned char>(mark)));
    };
    const std::uint64_t belowSpace = (word - everyByte * 0x20) & ~word & highBits;
    return (belowSpace | byteIn(deleteCharacter) | byteIn(c1LeadByte) | byteIn(a) | byteIn(b)) != 0;
}

// The position of the first control character or mark (a or b) of the text, or its size. The
// text is looked at eight bytes at a time up to the first word that may hold one, then byte by
// byte.
std::size_t findSpecial(std::string_view text, char a, char b) {
    std::size_t i = 0;
    for (; i + sizeof(std::uint64_t) <= text.size(); i += sizeof(std::uint64_t)) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, sizeof word);
        if (mayHoldSpecial(word, a, b)) {
            break;
        }
    }
    while (i < text.size() && text[i] != a && text[i] != b &&
           controlCharacterLength(text, i) == 0) {
        ++i;
    }
    return i;
}

bool holdsControl(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (controlCharacterLength(text, i) != 0) {
            return true;
        }
    }
    return false;
}

void appendEscaped(std::string& out, char c) {
    out += '\\';
    switch (c) {
    case '\t':
        out += 't';
        break;
    case '\r':
        out += 'r';
        break;
    case '\n':
        out += 'n';
        break;
    case '\\':
        out += '\\';
        break;
    default: {
        const auto byte = static_cast<unsigned char>(c);
        out += 'x';
        out += hexDigits[byte >> 4];
        out += hexDigits[byte & 0xF];
        break;
    }
    }
}

// Appends text with its double quotes doubled.
void appendQuotesDoubled(std::string& out, std::string_view text) {
    std::size_t start = 0;
    while (true) {
        const std::size_t quote = text.find('"', start);
        out.append(text.substr(start, quote - start));
        if (quote == std::string_view::npos) {
            return;
        }
        out += "\"\"";
        start = quote + 1;
    }
}

void appendCsvCell(std::string& out, std::string_view cell, OutputTarget target) {
    const std::size_t special = findSpecial(cell, ',', '"');
    if (special == cell.size()) {
        out.append(cell);
        return;
    }
    out += '"';
    if (target == OutputTarget::Terminal && holdsControl(cell.substr(special))) {
        std::string escaped;
        appendTsvCell(escaped, cell);
        appendQuotesDoubled(out, escaped);
    } else {
        appendQuotesDoubled(out, cell);
    }
    out += '"';
}

} // namespace

void appendTsvCell(std::string& out, std::string_view cell) {
    while (true) {
        const std::size_t special = findSpecial(cell, '\\', '\\');
        out.append(cell.substr(0, special));
        if (special == cell.size()) {
            return;
        }
        // A C1 control character is written byte by byte, as \xC2\x9B for U+009B.
        const std::size_t length = std::max<std::size_t>(1, controlCharacterLength(cell, special));
        for (std::size_t k = 0; k < length; ++k) {
            appendEscaped(out, cell[special + k]);
        }
        cell.remove_prefix(special + length);
    }
}

void appendRow(std::string& out, OutputFormat format, OutputTarget target,
               std::span<const std::string_view> cells) {
    const char separator = format == OutputFormat::Tsv ? '\t' : ',';
    bool first = true;
    for (const std::string_view cell : cells) {
        if (!first) {
            out += separator;
        }
        first = false;
        if (format == OutputFormat::Tsv) {
            appendTsvCell(out, cell);
        } else {
            appendCsvCell(out, cell, target);
        }
    }
    out += '\n';
}

} // namespace quiverel::cli
