#include "cli/TableFormat.h"

namespace quiverel::cli {
namespace {

void appendTsvCell(std::string& out, std::string_view cell) {
    std::size_t start = 0;
    while (true) {
        const std::size_t special = cell.find_first_of("\t\r\n\\", start);
        out.append(cell.substr(start, special - start));
        if (special == std::string_view::npos) {
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
        start = special + 1;
    }
}

void appendCsvCell(std::string& out, std::string_view cell) {
    if (cell.find_first_of(",\"\r\n") == std::string_view::npos) {
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
