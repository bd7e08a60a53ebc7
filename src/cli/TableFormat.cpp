#include "cli/TableFormat.h"

#include <algorithm>
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

// The first special character of the text, or its end; the text is looked at eight bytes at a
// time, and byte by byte only where a word may hold one.
template <typename IsSpecial>
std::string_view::iterator findSpecial(std::string_view text, char a, char b, IsSpecial isSpecial) {
    std::size_t i = 0;
    for (; i + sizeof(std::uint64_t) <= text.size(); i += sizeof(std::uint64_t)) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, sizeof word);
        if (mayHoldSpecial(word, a, b)) {
            for (std::size_t k = i; k < i + sizeof word; ++k) {
                if (isSpecial(text[k])) {
                    return text.begin() + static_cast<std::ptrdiff_t>(k);
                }
            }
        }
    }
    return std::find_if(text.begin() + static_cast<std::ptrdiff_t>(i), text.end(), isSpecial);
}

void appendTsvCell(std::string& out, std::string_view cell) {
    auto start = cell.begin();
    while (true) {
        const auto special = findSpecial(
            cell.substr(static_cast<std::size_t>(start - cell.begin())), '\\', '\\', isTsvSpecial);
        out.append(start, special);
        if (special == cell.end()) {
            return;
        }
        out += '\\';
        switch (*special) {
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
        start = special + 1;
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
