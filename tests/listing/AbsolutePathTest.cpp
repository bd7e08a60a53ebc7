#include "listing/AbsolutePath.h"

#include <gtest/gtest.h>

namespace quiverel {
namespace {

TEST(AbsolutePath, JoinsRelativeArgumentsToTheWorkingDirectory) {
    struct Case {
        const char* argument;
        const char* workingDirectory;
        const char* expected;
    };
    const Case cases[] = {
        {"", "/home/u", ""},
        {"/etc/", "/home/u", "/etc/"},
        {"/a/./b//c/../d", "/home/u", "/a/./b//c/../d"},
        {"docs", "/home/u", "/home/u/docs"},
        {"docs/", "/home/u", "/home/u/docs/"},
        {"docs/a.txt", "/", "/docs/a.txt"},
        {"./docs//x/./y", "/home/u", "/home/u/docs/x/y"},
        {".", "/home/u", "/home/u"},
        {"./", "/home/u", "/home/u/"},
        {"..", "/home/u", "/home"},
        {"../../..", "/home/u", "/"},
        {"../other/", "/home/u", "/home/other/"},
        {"link/../x", "/home/u", "/home/u/link/../x"},
        {".", "/", "/"},
        {"a b", "/home/u", "/home/u/a b"},
        {".hidden", "/home/u", "/home/u/.hidden"},
        {"...", "/home/u", "/home/u/..."},
        {"docs/../x", "", "docs/../x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argument);
        EXPECT_EQ(absolutePath(c.argument, c.workingDirectory), c.expected);
    }
}

} // namespace
} // namespace quiverel
