#include "listing/FactTexts.h"

#include "listing/FileFacts.h"
#include "listing/LocalTime.h"

#include <cstdio>
#include <ctime>

namespace quiverel {
namespace {

static_assert(sizeof(std::time_t) >= 8, "time stamps past 2038 need a 64-bit time_t");

constexpr std::int64_t blockSize = 1024;

void appendDigits(std::string& out, int value, int width) {
    char digits[4];
    for (int i = width - 1; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    out.append(digits, static_cast<std::size_t>(width));
}

} // namespace

std::string formatSizeKB(std::int64_t bytes) {
    std::string text;
    appendSizeKB(text, bytes);
    return text;
}

void appendSizeKB(std::string& out, std::int64_t bytes) {
    // Whole 1024-byte blocks plus one, so an empty file shows as 1KB and 1024 bytes as 2KB. No
    // file has fewer than zero bytes; such a count shows as an empty file.
    const long long counted = bytes < 0 ? 0 : bytes;
    appendKilobytes(out, static_cast<unsigned long long>(counted / blockSize + 1));
}

void appendKilobytes(std::string& out, std::uint64_t kilobytes) {
    // Decimal digits grouped in threes from the right with ",", written from the right.
    char text[32];
    char* at = text + sizeof text;
    for (int digit = 0; kilobytes != 0 || digit == 0; ++digit) {
        if (digit != 0 && digit % 3 == 0) {
            *--at = ',';
        }
        *--at = static_cast<char>('0' + kilobytes % 10);
        kilobytes /= 10;
    }
    out.append(at, static_cast<std::size_t>(text + sizeof text - at));
    out += "KB";
}

std::string formatStamp(std::int64_t secondsSinceEpoch) {
    std::string text;
    appendStamp(text, secondsSinceEpoch);
    return text;
}

void appendStamp(std::string& out, std::int64_t secondsSinceEpoch) {
    std::tm local{};
    if (!localTimeOf(secondsSinceEpoch, local)) {
        return;
    }
    const long long year = local.tm_year + 1900LL;
    if (year < 0 || year > 9999) {
        char text[64];
        std::snprintf(text, sizeof text, "%04lld/%02d/%02d %02d:%02d", year, local.tm_mon + 1,
                      local.tm_mday, local.tm_hour, local.tm_min);
        out += text;
        return;
    }
    appendStampFields(out, static_cast<int>(year), local.tm_mon + 1, local.tm_mday, local.tm_hour,
                      local.tm_min);
}

void appendStampFields(std::string& out, int year, int month, int day, int hour, int minute) {
    appendDigits(out, year, 4);
    out += '/';
    appendDigits(out, month, 2);
    out += '/';
    appendDigits(out, day, 2);
    out += ' ';
    appendDigits(out, hour, 2);
    out += ':';
    appendDigits(out, minute, 2);
}

RowFacts rowFactsOf(const FileFacts& facts, std::string_view nativePath, std::string_view digest) {
    RowFacts row;
    row.sizeBytes = facts.sizeBytes < 0 ? 0 : facts.sizeBytes;
    row.modified = facts.modified;
    row.version = facts.version;
    row.nativePath = nativePath;
    row.digest = digest;
    return row;
}

const RowTexts& FactTexts::of(const FileFacts& facts) {
    m_size.clear();
    appendSizeKB(m_size, facts.sizeBytes);
    m_stamp.clear();
    if (facts.modified) {
        appendStamp(m_stamp, *facts.modified);
    }
    m_version.clear();
    if (!facts.carriesVersion) {
        m_version += '-'; // a file of any other kind has no version to show
    } else if (facts.version) {
        appendVersionText(m_version, *facts.version);
    }
    m_row[cell::fileName] = facts.fileName();
    m_row[cell::folder] = facts.folder();
    m_row[cell::size] = m_size;
    m_row[cell::version] = m_version;
    m_row[cell::stamp] = m_stamp;
    m_row[cell::fullPath] = facts.displayPath;
    m_row[cell::extension] = facts.extension;
    return m_row;
}

} // namespace quiverel
