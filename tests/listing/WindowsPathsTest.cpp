#include "listing/AbsolutePath.h"
#include "listing/PathText.h"
#include "listing/detail/FolderPath.h"

#include <gtest/gtest.h>

namespace quiverel {
namespace {

// Windows paths start at a drive ("C:\") or a network share ("\\server\share\"), take "/" as
// "\", and a path from the root ("\tools") lies on the working directory's drive or share.

TEST(WindowsPaths, RootsAreDrivesAndSharesWithEitherSeparator) {
    const struct {
        const char* path;
        std::size_t length;
    } cases[] = {
        {R"(C:\win)", 3},
        {"c:/win", 3},
        {"C:", 2},
        {"C:name.txt", 2},
        {R"(\\srv\share\x)", 12},
        {"//srv/share/x", 12},
        {R"(\\srv\share)", 11},
        {R"(\\srv)", 5},
        {R"(\tools)", 0},
        {"/tools", 0},
        {"name", 0},
        {R"(1:\x)", 0},
        {"", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rootLength(c.path), c.length) << c.path;
    }
}

TEST(WindowsPaths, AFolderTextAndANameMakeTheEntrysPath) {
    const struct {
        const char* folder;
        const char* text;
        const char* child;
    } cases[] = {
        {R"(C:\)", "C:", R"(C:\name)"},
        {"C:/", "C:", R"(C:\name)"},
        {R"(C:\dir\\)", R"(C:\dir)", R"(C:\dir\name)"},
        {R"(C:\dir/)", R"(C:\dir)", R"(C:\dir\name)"},
        {R"(\\srv\share\)", R"(\\srv\share)", R"(\\srv\share\name)"},
        {"/", R"(\)", R"(\name)"},
        {R"(\)", R"(\)", R"(\name)"},
    };
    for (const auto& c : cases) {
        const std::string text = folderText(c.folder);
        EXPECT_EQ(text, c.text) << c.folder;
        EXPECT_EQ(childPath(text, "name"), c.child) << c.folder;
    }
}

TEST(WindowsPaths, RelativeArgumentsJoinTheWorkingDirectorysDriveOrShare) {
    const struct {
        const char* argument;
        const char* workingDirectory;
        const char* expected;
    } cases[] = {
        {R"(docs\a.txt)", R"(C:\work)", R"(C:\work\docs\a.txt)"},
        {"docs/a.txt", R"(C:\work)", R"(C:\work\docs\a.txt)"},
        {"a.txt", R"(C:\)", R"(C:\a.txt)"},
        {R"(..\..\..)", R"(C:\work\sub)", R"(C:\)"},
        {R"(.\docs\)", R"(C:\work)", R"(C:\work\docs\)"},
        {R"(\tools\x.exe)", R"(C:\work)", R"(C:\tools\x.exe)"},
        {"/tools/x.exe", R"(D:\work)", R"(D:\tools\x.exe)"},
        {R"(D:\data)", R"(C:\work)", R"(D:\data)"},
        {"D:/data/", R"(C:\work)", R"(D:\data\)"},
        {"C:name.txt", R"(C:\work)", "C:name.txt"}, // the drive's own folder decides
        {R"(\\srv\share\f.txt)", R"(C:\work)", R"(\\srv\share\f.txt)"},
        {"f.txt", R"(\\srv\share\dir)", R"(\\srv\share\dir\f.txt)"},
        {"f.txt", R"(\\srv\share)", R"(\\srv\share\f.txt)"},
        {R"(\f.txt)", R"(\\srv\share\dir)", R"(\\srv\share\f.txt)"},
        {R"(\f.txt)", R"(\\srv\share)", R"(\\srv\share\f.txt)"},
        {"..", R"(\\srv\share\dir)", R"(\\srv\share\)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(absolutePath(c.argument, c.workingDirectory), c.expected)
            << c.argument << " in " << c.workingDirectory;
    }
}

} // namespace
} // namespace quiverel
