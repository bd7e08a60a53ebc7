#include "cli/TableFormat.h"

#include <algorithm>

namespace quiverel::cli {
namespace {

bool isTsvSpecial(char c) {
    return c == '\t' || c == '\r' || c == '\n' || c == '\\';
}

bool isCsvSpecial(char c) {
    return c == ',' || c == '"' || c == '\r' || c == '\n';
}

void appendTsvCell(std::string& out, std::string_view cell) {
    auto start = cell.begin();
    while (true) {
        const auto special = std::find_if(start, cell.end(), isTsvSpecial);
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

void appendCsvCell(std::string& out, std::string_view cell) {
    if (std::none_of(cell.begin(), cell.end(), isCsvSpecial)) {
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
