#include "listing/detail/VersionReadAhead.h"

#include "platform/files/FileSystem.h"
#include "support/PosixTree.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>

namespace quiverel {
namespace {

std::size_t openDescriptors() {
    const std::filesystem::directory_iterator fds("/proc/self/fd");
    return static_cast<std::size_t>(std::distance(begin(fds), end(fds)));
}

// Asking for an executable's pages ahead never waits on what stands under its name (a FIFO
// with no writer, a link to one) and gives back every descriptor it takes.
TEST(VersionReadAheadTest, NeverBlocksNorKeepsADescriptor) {
    testing::PosixTree tree;
    tree.makeFile("setup.EXE", std::string(40000, 'x'));
    tree.makeFile("notes.txt", "x");
    ASSERT_EQ(::mkfifo(tree.path("pipe.dll").c_str(), 0644), 0);
    tree.makeLink(tree.path("pipe.dll"), "link.ocx");
    tree.makeFolder("folder.exe");
    const fs::Descriptor folder = fs::openFolderBase(tree.root());
    ASSERT_TRUE(folder.isOpen());
    const fs::Descriptor closed;

    const std::size_t before = openDescriptors();
    for (const char* name : {"setup.EXE", "notes.txt", "pipe.dll", "link.ocx", "folder.exe",
                             "gone.exe", ".exe", "exe"}) {
        readAheadVersion(folder, name, name);
        readAheadVersion(closed, name, name);
    }
    EXPECT_EQ(openDescriptors(), before);
}

} // namespace
} // namespace quiverel
