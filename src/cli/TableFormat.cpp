#include "cli/TableFormat.h"

#include <cstdint>
#include <cstring>

namespace quiverel::cli {
namespace {

constexpr std::uint64_t everyByte = 0x0101010101010101ull;
constexpr std::uint64_t highBits = 0x8080808080808080ull;

bool isTsvSpecial(char c) {
    return c == '\t' || c == '\r' || c == '\n' || c == '\\';
}

bool isCsvSpecial(char c) {
    return c == ',' || c == '"' || c == '\r' || c == '\n';
}

// True when one of the eight bytes of word may be a control character (below 14) or one of the
// marks a and b; false only when none is.
bool mayHoldSpecial(std::uint64_t word, char a, char b) {
    const auto zeroByteIn = [](std::uint64_t value) {
        return (value - everyByte) & ~value & highBits;
    };
    const std::uint64_t controls = (word - everyByte * 14) & ~word & highBits;
    return (controls | zeroByteIn(word ^ (everyByte * static_cast<unsigned char>(a))) |
            zeroByteIn(word ^ (everyByte * static_cast<unsigned char>(b)))) != 0;
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

void appendCsvCell(std::string& out, std::string_view cell) {
    if (findSpecial(cell, ',', '"', isCsvSpecial) == cell.size()) {
        out.append(cell);
        return;
    }
    out += '"';
    std::size_t start = 0;
    while (true) {
        const std::size_t quote = cell.find('"', start);
        out.append(cell.substr(start, quote - start));
        if (quote == std::string_view::npos) {
            break;
        }
        out += "\"\"";
        start = quote + 1;
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
        out += '\\';
        switch (cell[special]) {
        case '\t':
            out += 't';
            break;
        case '\r':
            out += 'r';
            break;
        case '\n':
            out += 'n';
            break;
        default:
            out += '\\';
            break;
        }
        cell.remove_prefix(special + 1);
    }
}

void appendRow(std::string& out, OutputFormat format, std::span<const std::string_view> cells) {
    const char separator = format == OutputFormat::Tsv ? '\t' : ',';
    const auto appendCell = format == OutputFormat::Tsv ? appendTsvCell : appendCsvCell;
    bool first = true;
    for (const std::string_view cell : cells) {
        if (!first) {
            out += separator;
        }
        first = false;
        appendCell(out, cell);
    }
    out += '\n';
}

} // namespace quiverel::cli
