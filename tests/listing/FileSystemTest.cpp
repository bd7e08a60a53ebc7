#include "listing/detail/FileSystem.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <unistd.h>

namespace quiverel {
namespace {

using testing::TempTree;

class LongPathTest : public ::testing::Test {
protected:
    void SetUp() override {
        deep = tree.makeChain("", 300, "a-rather-long-folder-name", "");
        ASSERT_GT(deep.size(), static_cast<std::size_t>(PATH_MAX));
        // The long path is reached component by component; create its contents that way too.
        const fs::Descriptor folder = fs::openPath(deep, O_RDONLY | O_DIRECTORY);
        ASSERT_TRUE(folder.isOpen()) << fs::errorText(errno);
        const int file = ::openat(folder.get(), "data.bin", O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(file, 0);
        ASSERT_EQ(::write(file, "hello", 5), 5);
        ::close(file);
        ASSERT_EQ(::symlinkat("data.bin", folder.get(), "link.bin"), 0);
    }

    TempTree tree;
    std::string deep;
};

TEST_F(LongPathTest, StatReachesPathsLongerThanPathMax) {
    struct Case {
        std::string path;
        bool followLinks;
        int error;
        mode_t type;
        off_t size;
    };
    const std::string data = deep + "/data.bin";
    const Case cases[] = {
        {data, true, 0, S_IFREG, 5},
        {deep + "/link.bin", true, 0, S_IFREG, 5},
        {deep + "/link.bin", false, 0, S_IFLNK, 8},
        {deep, true, 0, S_IFDIR, -1},
        {deep + "/", true, 0, S_IFDIR, -1},
        {deep + "/missing", true, ENOENT, 0, -1},
        {data + "/below-a-file", true, ENOTDIR, 0, -1},
        {tree.path("missing/") + deep.substr(tree.root().size()), true, ENOENT, 0, -1},
    };
    for (const auto& c : cases) {
        struct stat status {};
        ASSERT_EQ(fs::statPath(c.path, status, c.followLinks), c.error) << c.path.size();
        if (c.error == 0) {
            EXPECT_EQ(status.st_mode & S_IFMT, c.type);
            if (c.size >= 0) {
                EXPECT_EQ(status.st_size, c.size);
            }
        }
    }
}

TEST_F(LongPathTest, OpenReachesPathsLongerThanPathMax) {
    const fs::Descriptor fd = fs::openPath(deep + "/data.bin", O_RDONLY);
    ASSERT_TRUE(fd.isOpen()) << fs::errorText(errno);
    char content[8] = {};
    EXPECT_EQ(::read(fd.get(), content, sizeof(content)), 5);
    EXPECT_STREQ(content, "hello");
    EXPECT_NE(::fcntl(fd.get(), F_GETFD) & FD_CLOEXEC, 0) << "descriptors are never inherited";

    errno = 0;
    EXPECT_FALSE(fs::openPath(deep + "/missing", O_RDONLY).isOpen());
    EXPECT_EQ(errno, ENOENT);
}

} // namespace
} // namespace quiverel
