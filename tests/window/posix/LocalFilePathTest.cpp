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

TEST(LocalFilePath, OnlyAbsolutePathsOfThisMachine) {
    using namespace std::string_literals;
    const UrlCase cases[] = {
        {"a file", "", "/tmp/a.txt", "/tmp/a.txt"},
        {"this machine by name", "localhost", "/tmp/a.txt", "/tmp/a.txt"},
        {"the root", "", "/", "/"},
        {"a folder named like a drive", "", "/Z:/tmp", "/Z:/tmp"},
        {"bytes that are not UTF-8", "", "/tmp/\xff\xfe", "/tmp/\xff\xfe"},
        {"another host", "server", "/share/a.txt", std::nullopt},
        {"a relative path", "", "a.txt", std::nullopt},
        {"a drive path", "", "C:/a.txt", std::nullopt},
        {"a NUL in the name", "", "/tmp/a\0b"s, std::nullopt},
    };
    for (const UrlCase& c : cases) {
        EXPECT_EQ(localFilePath(c.host, c.path), c.native) << c.what;
    }
}

} // namespace
