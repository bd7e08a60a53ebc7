#include "cli/TableFormat.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace quiverel::cli {
namespace {

constexpr std::uint64_t everyByte = 0x0101010101010101ull;
constexpr std::uint64_t highBits = 0x8080808080808080ull;
constexpr char deleteCharacter = '\x7f';
constexpr char hexDigits[] = "0123456789ABCDEF";

bool isControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == deleteCharacter;
}

bool isTsvSpecial(char c) {
    return isControl(c) || c == '\\';
}

bool isCsvSpecial(char c) {
    return isControl(c) || c == ',' || c == '"';
}

// True when one of the eight bytes of word may be a control character or one of the marks a
// and b; false only when none is.
bool mayHoldSpecial(std::uint64_t word, char a, char b) {
    const auto zeroByteIn = [](std::uint64_t value) {
        return (value - everyByte) & ~value & highBits;
    };
    const auto byteIn = [&](char mark) {
        return zeroByteIn(word ^ (everyByte * static_cast<unsigned char>(mark)));
    };
    const std::uint64_t belowSpace = (word - everyByte * 0x20) & ~word & highBits;
    return (belowSpace | byteIn(deleteCharacter) | byteIn(a) | byteIn(b)) != 0;
}

// The position of the first special character of the text, or its size. The text is looked at
// eight bytes at a time up to the first word that may hold one, then byte by byte.
template <typename IsSpecial>
std::size_t findSpecial(std::string_view text, char a, char b, IsSpecial isSpecial) {
    std::size_t i = 0;
    for (; i + sizeof(std::uint64_t) <= text.size(); i += sizeof(std::uint64_t)) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, sizeof word);
        if (mayHoldSpecial(word, a, b)) {
            break;
        }
    }
    while (i < text.size() && !isSpecial(text[i])) {
        ++i;
    }
    return i;
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
    const std::size_t special = findSpecial(cell, ',', '"', isCsvSpecial);
    if (special == cell.size()) {
        out.append(cell);
        return;
    }
    out += '"';
    const bool holdsControl =
        std::any_of(cell.begin() + static_cast<std::ptrdiff_t>(special), cell.end(), isControl);
    if (target == OutputTarget::Terminal && holdsControl) {
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
        const std::size_t special = findSpecial(cell, '\\', '\\', isTsvSpecial);
        out.append(cell.substr(0, special));
        if (special == cell.size()) {
            return;
        }
        appendEscaped(out, cell[special]);
        cell.remove_prefix(special + 1);
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
