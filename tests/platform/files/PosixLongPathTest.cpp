#include "platform/files/FileSystem.h"

#include "support/PosixTree.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <unistd.h>

namespace quiverel {
namespace {

using testing::PosixTree;

class LongPathTest : public ::testing::Test {
protected:
    void SetUp() override {
        deep = tree.makeChain("", 300, "a-rather-long-folder-name", "");
        ASSERT_GT(deep.size(), static_cast<std::size_t>(PATH_MAX));
        // The long path is reached component by component; create its contents that way too.
        const fs::Descriptor folder = fs::openFolder(deep, true);
        ASSERT_TRUE(folder.isOpen()) << fs::errorText(errno);
        const int file = ::openat(folder.get(), "data.bin", O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(file, 0);
        ASSERT_EQ(::write(file, "hello", 5), 5);
        ::close(file);
        ASSERT_EQ(::symlinkat("data.bin", folder.get(), "link.bin"), 0);
    }

    PosixTree tree;
    std::string deep;
};

TEST_F(LongPathTest, StatReachesPathsLongerThanPathMax) {
    struct Case {
        std::string path;
        bool followLinks;
        int error;
        fs::FileKind kind;
        std::int64_t size;
    };
    const std::string data = deep + "/data.bin";
    const Case cases[] = {
        {data, true, 0, fs::FileKind::Regular, 5},
        {deep + "/link.bin", true, 0, fs::FileKind::Regular, 5},
        {deep + "/link.bin", false, 0, fs::FileKind::Other, 8},
        {deep, true, 0, fs::FileKind::Folder, -1},
        {deep + "/", true, 0, fs::FileKind::Folder, -1},
        {deep + "/missing", true, ENOENT, fs::FileKind::Other, -1},
        {data + "/below-a-file", true, ENOTDIR, fs::FileKind::Other, -1},
        {tree.path("missing/") + deep.substr(tree.root().size()), true, ENOENT, fs::FileKind::Other,
         -1},
    };
    for (const auto& c : cases) {
        fs::FileStatus status;
        ASSERT_EQ(fs::statPath(c.path, status, c.followLinks), c.error) << c.path.size();
        if (c.error == 0) {
            EXPECT_EQ(status.kind, c.kind);
            if (c.size >= 0) {
                EXPECT_EQ(status.sizeBytes, c.size);
            }
        }
    }
}

TEST_F(LongPathTest, OpenReachesPathsLongerThanPathMax) {
    const fs::Descriptor fd = fs::openForReading(deep + "/data.bin");
    ASSERT_TRUE(fd.isOpen()) << fs::errorText(errno);
    std::uint8_t content[8] = {};
    EXPECT_EQ(fs::readNext(fd, content), 5);
    EXPECT_EQ(std::string(content, content + 5), "hello");
    EXPECT_NE(::fcntl(fd.get(), F_GETFD) & FD_CLOEXEC, 0) << "descriptors are never inherited";

    errno = 0;
    EXPECT_FALSE(fs::openForReading(deep + "/missing").isOpen());
    EXPECT_EQ(errno, ENOENT);
}

} // namespace
} // namespace quiverel
