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
    EXPECT_EQ(text, "\"a\\\"b\\\\c\\td\\ne\\rf\\u0001g\\u001f\x7f\xef\xbf\xbd\"");
    text.clear();
    appendJsonString(text, "\x81name\xe3\x81");
    EXPECT_EQ(text, "\"\xef\xbf\xbdname\xef\xbf\xbd\xef\xbf\xbd\"");
}

} // namespace
} // namespace quiverel::cli
