#pragma once

#include "cli/ListerSettings.h"

#include <span>
#include <string>
#include <string_view>

namespace quiverel::cli {

// Where the rows go: a terminal reads control characters as commands, so nothing may reach it
// raw.
enum class OutputTarget { File, Terminal };

// Appends one row of cells to out, ended by a line feed.
// Tsv: cells separated by tabs; a cell is escaped as appendTsvCell does, so a cell never breaks
// its row and never drives a terminal.
// Csv (RFC 4180): cells separated by commas; a cell holding a comma, double quote or control
// character (C0, DEL or C1) is put in double quotes, its double quotes doubled, its bytes otherwise
// exact. For a terminal, such a cell holding a control character is escaped as in Tsv inside
// its quotes.
void appendRow(std::string& out, OutputFormat format, OutputTarget target,
               std::span<const std::string_view> cells);

// Appends one cell escaped as in Tsv: a tab, carriage return, line feed or backslash as \t, \r,
// \n or \\, any other control character (C0 or DEL) as \xHH, and a C1 control character
// (U+0080 to U+009F) as its two UTF-8 bytes in that form (\xC2\x9B for U+009B).
void appendTsvCell(std::string& out, std::string_view cell);

} // namespace quiverel::cli
