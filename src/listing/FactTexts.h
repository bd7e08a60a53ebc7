#pragma once

#include "listing/RowTexts.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quiverel {

struct FileFacts;

// The size text for a byte count: whole 1024-byte blocks plus one, grouped in threes:
// 0 -> "1KB", 1024 -> "2KB", 123456789 -> "120,564KB".
std::string formatSizeKB(std::int64_t bytes);
void appendSizeKB(std::string& out, std::int64_t bytes);

// A count of kilobytes as the size column writes it: "12,345KB".
void appendKilobytes(std::string& out, std::uint64_t kilobytes);

// "yyyy/mm/dd hh:mm" of the given fields, for years 0 to 9999.
void appendStampFields(std::string& out, int year, int month, int day, int hour, int minute);

// "yyyy/mm/dd hh:mm" in local time; empty when the time cannot be converted.
std::string formatStamp(std::int64_t secondsSinceEpoch);
void appendStamp(std::string& out, std::int64_t secondsSinceEpoch);

// The typed facts a row of the file's facts carries, with the native path (when it is not the
// display text) and the digest of its contents beside them.
RowFacts rowFactsOf(const FileFacts& facts, std::string_view nativePath, std::string_view digest);

// The row texts of a file's facts. The texts stay valid until the next call, and while the
// facts stay unchanged.
class FactTexts {
public:
    const RowTexts& of(const FileFacts& facts);

private:
    std::string m_size;
    std::string m_stamp;
    std::string m_version;
    RowTexts m_row;
};

} // namespace quiverel
