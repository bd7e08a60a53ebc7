#include "cli/JsonFormat.h"

#include "cli/ControlCharacters.h"
#include "listing/LocalTime.h"
#include "listing/PathText.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace quiverel::cli {
namespace {

// Every key follows the running number.
void appendKey(std::string& out, std::string_view key) {
    out += ",\"";
    out += key;
    out += "\":";
}

void appendTextField(std::string& out, std::string_view key, std::string_view text) {
    appendKey(out, key);
    appendJsonString(out, text);
}

void appendVersionNumbers(std::string& out, const std::optional<VersionNumbers>& version) {
    if (!version) {
        out += "null";
        return;
    }
    char text[32];
    std::snprintf(text, sizeof text, "[%u,%u,%u,%u]", unsigned{(*version)[0]},
                  unsigned{(*version)[1]}, unsigned{(*version)[2]}, unsigned{(*version)[3]});
    out += text;
}

// Standard base64 with padding.
void appendBase64(std::string& out, std::string_view bytes) {
    static constexpr char digits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const unsigned group = static_cast<unsigned char>(bytes[i]) << 16 |
                               static_cast<unsigned char>(bytes[i + 1]) << 8 |
                               static_cast<unsigned char>(bytes[i + 2]);
        out += digits[group >> 18];
        out += digits[(group >> 12) & 63];
        out += digits[(group >> 6) & 63];
        out += digits[group & 63];
    }
    const std::size_t rest = bytes.size() - i;
    if (rest > 0) {
        unsigned group = static_cast<unsigned char>(bytes[i]) << 16;
        if (rest == 2) {
            group |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        }
        out += digits[group >> 18];
        out += digits[(group >> 12) & 63];
        out += rest == 2 ? digits[(group >> 6) & 63] : '=';
        out += '=';
    }
}

// \u followed by the code point in four lower-case hex digits.
void appendUnicodeEscape(std::string& out, char32_t codePoint) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(codePoint));
    out += escaped;
}

// How far the local time is ahead of UTC, in seconds: the local time read as if it were UTC,
// less the instant.
long utcOffsetOf(const std::tm& local, std::int64_t time) {
    using namespace std::chrono;
    const sys_days day = year(local.tm_year + 1900) / (local.tm_mon + 1) / local.tm_mday;
    const auto asUtc = day.time_since_epoch() + hours(local.tm_hour) + minutes(local.tm_min) +
                       seconds(local.tm_sec);
    return static_cast<long>(duration_cast<seconds>(asUtc).count() - time);
}

} // namespace

void appendJsonString(std::string& out, std::string_view text) {
    // Texts come as UTF-8, but a trim text cut off inside a character may leave a stray byte.
    std::string valid;
    if (!isValidUtf8(text)) {
        valid = toDisplayText(text);
        text = valid;
    }
    out += '"';
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (const std::size_t length = controlCharacterLength(text, i)) {
                i += length - 1;
                appendUnicodeEscape(out, static_cast<unsigned char>(text[i]));
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

void appendRfc3339(std::string& out, std::int64_t secondsSinceEpoch) {
    std::tm local{};
    if (!localTimeOf(secondsSinceEpoch, local)) {
        return;
    }
    const long utcOffset = utcOffsetOf(local, secondsSinceEpoch);
    // RFC 3339 offsets are whole minutes within a day. A zone beyond that (TZ=UTC-24) or with
    // seconds in its offset (old local mean times) would write a wrong instant, so such a time
    // is written in UTC instead.
    const bool offsetWritable = utcOffset % 60 == 0 && std::abs(utcOffset) < 24 * 3600;
    std::tm shown = local;
    if (!offsetWritable && !universalTimeOf(secondsSinceEpoch, shown)) {
        return;
    }
    if (shown.tm_year + 1900LL < 0 || shown.tm_year + 1900LL > 9999) {
        return;
    }
    char text[80];
    const int length =
        std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", shown.tm_year + 1900,
                      shown.tm_mon + 1, shown.tm_mday, shown.tm_hour, shown.tm_min, shown.tm_sec);
    out.append(text, static_cast<std::size_t>(length));
    if (!offsetWritable) {
        out += 'Z';
        return;
    }
    const auto offsetMinutes = static_cast<int>(utcOffset / 60);
    std::snprintf(text, sizeof text, "%c%02d:%02d", offsetMinutes < 0 ? '-' : '+',
                  std::abs(offsetMinutes) / 60, std::abs(offsetMinutes) % 60);
    out += text;
}

void appendJsonRow(std::string& out, std::span<const std::string_view> cells, const RowFacts& facts,
                   const ColumnFlags& columns, bool withDigest) {
    // Rows written after a failure have no number.
    out += "{\"no\":";
    if (cells[listedColumn::number].empty()) {
        out += "null";
    } else {
        out += cells[listedColumn::number];
    }
    const auto chosen = [&](std::size_t k) {
        return columns[k];
    };
    const auto text = [&](std::size_t k) {
        return cells[listedColumn::ofCell(k)];
    };
    if (chosen(cell::fileName)) {
        appendTextField(out, "name", text(cell::fileName));
    }
    if (chosen(cell::folder)) {
        appendTextField(out, "folder", text(cell::folder));
    }
    if (chosen(cell::size)) {
        appendKey(out, "size");
        out += std::to_string(facts.sizeBytes);
        appendTextField(out, "size_text", text(cell::size));
    }
    if (chosen(cell::version)) {
        appendTextField(out, "version", text(cell::version));
        appendKey(out, "version_numbers");
        appendVersionNumbers(out, facts.version);
    }
    if (chosen(cell::stamp)) {
        appendKey(out, "modified");
        std::string modified;
        if (facts.modified) {
            appendRfc3339(modified, *facts.modified);
        }
        if (modified.empty()) {
            out += "null";
        } else {
            appendJsonString(out, modified);
        }
    }
    if (chosen(cell::fullPath)) {
        appendTextField(out, "path", text(cell::fullPath));
    }
    if (chosen(cell::extension)) {
        appendTextField(out, "extension", text(cell::extension));
    }
    if (!facts.nativePath.empty()) {
        appendKey(out, "path_base64");
        out += '"';
        appendBase64(out, facts.nativePath);
        out += '"';
    }
    if (withDigest) {
        appendTextField(out, "sha256", facts.digest);
    }
    out += "}\n";
}

} // namespace quiverel::cli
