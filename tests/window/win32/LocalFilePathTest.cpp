#include "window/LocalFilePath.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace quiverel;

namespace {

struct UrlCase {
    const char* what;
    std::string host;
    std::string path;
    std::optional<std::string> native;
};

TEST(LocalFilePath, DrivesAndSharesWithTheirOwnSeparators) {
    using namespace std::string_literals;
    const std::string deep(300, 'd');
    const UrlCase cases[] = {
        {"a file on a drive", "", "/Z:/tmp/a.txt", "Z:\\tmp\\a.txt"},
        {"this machine by name", "localhost", "/c:/a.txt", "c:\\a.txt"},
        {"a drive's root", "", "/C:/", "C:\\"},
        {"a share", "server", "/share/a.txt", "\\\\server\\share\\a.txt"},
        {"a share's root", "server", "/share", "\\\\server\\share"},
        {"past 260 characters", "", "/Z:/" + deep + "/" + deep, "Z:\\" + deep + "\\" + deep},
        {"Japanese names", "", "/Z:/ｼｽﾃﾑ/資料", "Z:\\ｼｽﾃﾑ\\資料"},
        {"a path from the root of no drive", "", "/tmp/a.txt", std::nullopt},
        {"a drive without its root", "", "/C:a.txt", std::nullopt},
        {"a bare drive", "", "/C:", std::nullopt},
        {"a server without a share", "server", "/", std::nullopt},
        {"a relative path", "", "a.txt", std::nullopt},
        {"a NUL in the name", "", "/Z:/a\0b"s, std::nullopt},
    };
    for (const UrlCase& c : cases) {
        EXPECT_EQ(localFilePath(c.host, c.path), c.native) << c.what;
    }
}

} // namespace
