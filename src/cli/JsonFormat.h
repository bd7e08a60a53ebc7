#pragma once

#include "listing/ListingRequest.h"
#include "listing/RowTexts.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quiverel::cli {

// Appends one row as a JSON object on a line of its own: the running number (cells[0]; null when
// empty, as for the rows written before a failure) and, for each chosen column, its text from
// cells[1 + k] and, beside it, the typed fact: "size" in bytes beside "size_text",
// "version_numbers" (four numbers, or null) beside "version", and "modified" in RFC 3339 local
// time for the time stamp. A full path that is not valid UTF-8 comes whole, base64-encoded, in
// "path_base64"; with withDigest, "sha256" holds the digest ("" when none).
void appendJsonRow(std::string& out, std::span<const std::string_view> cells, const RowFacts& facts,
                   const ColumnFlags& columns, bool withDigest);

// A JSON string of the text, quotes included; bytes that are not valid UTF-8 become U+FFFD.
void appendJsonString(std::string& out, std::string_view text);

// "2023-02-18T22:16:05+09:00": the local time with seconds and the offset from UTC, or the time
// in UTC ("2001-09-09T01:46:40Z") when the local offset is not whole minutes within a day; empty
// when the time cannot be converted or its year has not four digits.
void appendRfc3339(std::string& out, std::int64_t secondsSinceEpoch);

} // namespace quiverel::cli
