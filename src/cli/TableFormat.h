#pragma once

#include "cli/ListerSettings.h"

#include <span>
#include <string>
#include <string_view>

namespace quiverel::cli {

// Appends one row of cells to out, ended by a line feed.
// Tsv: cells separated by tabs; a tab, carriage return, line feed or backslash inside a cell is
// written as \t, \r, \n or \\, so a cell never breaks its row.
// Csv (RFC 4180): cells separated by commas; a cell holding a comma, double quote, carriage
// return or line feed is put in double quotes, its double quotes doubled.
void appendRow(std::string& out, OutputFormat format, std::span<const std::string_view> cells);

// Appends one cell escaped as in Tsv.
void appendTsvCell(std::string& out, std::string_view cell);

} // namespace quiverel::cli
