#include "listing/PathText.h"
#include "listing/LetterCase.h"

#include <gtest/gtest.h>

namespace quiverel {
namespace {

struct DisplayCase {
    std::string native;
    std::string display;
};

TEST(PathTextTest, DisplayTextReplacesEachInvalidByte) {
    const DisplayCase cases[] = {
        {"/tmp/plain.txt", "/tmp/plain.txt"},
        {"/tmp/ｶﾅ漢字.txt", "/tmp/ｶﾅ漢字.txt"},
        {"/tmp/\xff\xfe.txt", "/tmp/\uFFFD\uFFFD.txt"},
        {"bad\xC0\xAF", "bad\uFFFD\uFFFD"},           // overlong "/"
        {"cut\xE3\x81", "cut\uFFFD\uFFFD"},           // sequence cut short at the end
        {"sur\xED\xA0\x80", "sur\uFFFD\uFFFD\uFFFD"}, // UTF-16 surrogate
        {"big\xF4\x90\x80\x80", "big\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"\xF0\x9F\x93\x81", "\xF0\x9F\x93\x81"},
        {"", ""},
        // Long stretches, with the odd byte on either side of each eight-byte word.
        {"/home/user/documents/\xff/more-words-here/ｶﾅ/x\xe3",
         "/home/user/documents/\uFFFD/more-words-here/ｶﾅ/x\uFFFD"},
        {"1234567\x80"
         "90abcdef\xC3\xA9ghijklmn\x80",
         "1234567\uFFFD"
         "90abcdef\xC3\xA9ghijklmn\uFFFD"},
        {"12345678\x80", "12345678\uFFFD"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(toDisplayText(c.native), c.display) << c.native;
    }
}

TEST(PathTextTest, UpperCasingFoldsEveryLetterAndKeepsInvalidBytes) {
    const std::pair<std::string, std::string> cases[] = {
        {"c:/win/notepad.exe", "C:/WIN/NOTEPAD.EXE"},
        {"ａｂｃ ｶﾅ é 09_z", "ＡＢＣ ｶﾅ É 09_Z"},
        {"ünï.txt", "ÜNÏ.TXT"},
        {"ωσ ß ı", "ΩΣ ß I"}, // ß has no one-letter upper case; ı's is shorter
        {"a\xff\xc3"
         "b\xe3\x81",
         "A\xff\xc3"
         "B\xe3\x81"},
    };
    for (const auto& [text, upper] : cases) {
        EXPECT_EQ(toUpperCase(text), upper) << text;
    }
}

TEST(PathTextTest, FoldedComparisonIgnoresLetterCaseThenUsesCodePoints) {
    struct Case {
        const char* a;
        const char* b;
        int sign;
    };
    const Case cases[] = {
        {"abc", "ABC", 0},    {"abc", "abd", -1},
        {"ab", "abc", -1},    {"b", "A", 1},
        {"_", "a", 1}, // letters fold to upper case, which sorts before '_'
        {"z", "é", -1},       {"", "", 0},
        {"Zeta", "alpha", 1}, {"Ünï.txt", "ünÏ.TXT", 0},
        {"ａbc", "ＡBD", -1}, {"ıx", "IX", 0},
        {"ı", "IA", -1},      {"é", "\xff", -1}, // an invalid byte is compared as it stands
    };
    for (const auto& c : cases) {
        const int result = compareFolded(c.a, c.b);
        const int sign = (result > 0) - (result < 0);
        EXPECT_EQ(sign, c.sign) << c.a << " vs " << c.b;
    }
}

} // namespace
} // namespace quiverel
