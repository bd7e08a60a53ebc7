#include "platform/files/win32/WidePath.h"

#include <gtest/gtest.h>

#include <string>

namespace quiverel::fs {
namespace {

// What the system's calls are given: "\" for "/", a bare drive as its root, and a long path in
// the "\\?\" form (a share's as "\\?\UNC\server\share\..."), whole and absolute.
TEST(WidePath, GivesEachPathInTheFormTheSystemTakes) {
    const std::string longTail(300, 'n');
    const std::wstring wideTail(300, L'n');
    const struct {
        std::string path;
        std::wstring wide;
    } cases[] = {
        {R"(C:\dir\a.txt)", LR"(C:\dir\a.txt)"},
        {"C:/dir/a.txt", LR"(C:\dir\a.txt)"},
        {"C:", LR"(C:\)"},
        {"d:", LR"(d:\)"},
        {R"(\\srv\share\a.txt)", LR"(\\srv\share\a.txt)"},
        {"Z:/ﾃｽﾄ/漢字.txt", LR"(Z:\ﾃｽﾄ\漢字.txt)"},
        {R"(C:\)" + longTail, LR"(\\?\C:\)" + wideTail},
        {"C:/" + longTail + "/x", LR"(\\?\C:\)" + wideTail + LR"(\x)"},
        {R"(\\srv\share\)" + longTail, LR"(\\?\UNC\srv\share\)" + wideTail},
        {R"(\\?\C:\)" + longTail, LR"(\\?\C:\)" + wideTail},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(widePath(c.path), c.wide) << c.path;
    }
}

// Names come back as the system gave them: a name that is not valid UTF-16 (half a pair)
// turns into U+FFFD rather than into bytes no other text holds.
TEST(WidePath, TextsCrossBetweenUtf8AndUtf16) {
    EXPECT_EQ(wideText("ﾃｽﾄ漢字 é 📁"), L"ﾃｽﾄ漢字 é 📁");
    EXPECT_EQ(utf8Text(L"ﾃｽﾄ漢字 é 📁"), "ﾃｽﾄ漢字 é 📁");
    EXPECT_EQ(utf8Text(std::wstring{L'a', wchar_t(0xD800), L'b'}), "a\uFFFDb");
    EXPECT_EQ(wideText("a\xff"
                       "b"),
              L"a\uFFFDb");
    EXPECT_EQ(wideText(""), L"");
}

} // namespace
} // namespace quiverel::fs
