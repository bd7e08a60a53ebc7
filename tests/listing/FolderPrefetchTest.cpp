#include "listing/detail/FolderPrefetch.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace quiverel {
namespace {

// Folders, and what is no folder to read (a file, a missing path), are each taken once; going
// away with folders still waiting neither hangs nor reads them.
TEST(FolderPrefetch, ReadsEachFolderAskedForAndGoesAwayWhileBusy) {
    testing::TempTree tree;
    constexpr std::size_t folders = 200;
    for (std::size_t i = 0; i < folders; ++i) {
        tree.makeFolder("f" + std::to_string(i));
        tree.makeFile("f" + std::to_string(i) + "/a.txt");
    }
    tree.makeFile("plain.txt");
    {
        FolderPrefetch prefetch(3);
        for (std::size_t i = 0; i < folders; ++i) {
            prefetch.add(tree.path("f" + std::to_string(i)));
        }
        prefetch.add(tree.path("plain.txt"));
        prefetch.add(tree.path("missing"));
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (prefetch.foldersRead() < folders + 2 &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        EXPECT_EQ(prefetch.foldersRead(), folders + 2);
    }
    // Goes out of scope at once, most of its folders still waiting.
    FolderPrefetch leftBusy(2);
    for (std::size_t i = 0; i < 10 * folders; ++i) {
        leftBusy.add(tree.path("f" + std::to_string(i % folders)));
    }
}

} // namespace
} // namespace quiverel
