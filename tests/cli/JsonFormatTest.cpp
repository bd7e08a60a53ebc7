#include "cli/JsonFormat.h"

#include "support/ZoneGuard.h"

#include <gtest/gtest.h>

namespace quiverel::cli {
namespace {

TEST(JsonFormat, TimesCarryTheLocalOffsetWithSeconds) {
    struct Case {
        const char* zone;
        std::int64_t seconds;
        const char* text;
    };
    const Case cases[] = {
        {"JST-9", 1676726165, "2023-02-18T22:16:05+09:00"},
        {"UTC0", 0, "1970-01-01T00:00:00+00:00"},
        {"NST3:30", 1676726165, "2023-02-18T09:46:05-03:30"},
        {"UTC0", -1, "1969-12-31T23:59:59+00:00"},
        {"UTC0", 253402300800, ""}, // the year 10000
        // Offsets RFC 3339 cannot write give the same instant in UTC, never a shifted one.
        {"UTC-24", 1000000000, "2001-09-09T01:46:40Z"},
        {"UTC+25", 1000000000, "2001-09-09T01:46:40Z"},
        {"LMT-0:19:32", 1000000000, "2001-09-09T01:46:40Z"},
        {"UTC-23:59", 1000000000, "2001-09-10T01:45:40+23:59"},
    };
    for (const Case& c : cases) {
        const testing::ZoneGuard zone(c.zone);
        std::string text;
        appendRfc3339(text, c.seconds);
        EXPECT_EQ(text, c.text) << c.zone << " " << c.seconds;
    }
}

TEST(JsonFormat, StringsEscapeQuotesBackslashesAndControlCharactersAndStayUtf8) {
    std::string text;
    appendJsonString(text, std::string("a\"b\\c\td\ne\rf\x01g\x1f\x7f\xef\xbf\xbd", 18));
    EXPECT_EQ(text, "\"a\\\"b\\\\c\\td\\ne\\rf\\u0001g\\u001f\\u007f\xef\xbf\xbd\"");
    text.clear();
    appendJsonString(text, "\xc2\x80\xc2\x9b"
                           "1m\xc2\x9f\xc2\xa0\xc3\x9b");
    EXPECT_EQ(text, "\"\\u0080\\u009b1m\\u009f\xc2\xa0\xc3\x9b\"");
    text.clear();
    appendJsonString(text, "\x81name\xe3\x81");
    EXPECT_EQ(text, "\"\xef\xbf\xbdname\xef\xbf\xbd\xef\xbf\xbd\"");
}

} // namespace
} // namespace quiverel::cli
