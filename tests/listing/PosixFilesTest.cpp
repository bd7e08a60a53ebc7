#include "listing/FactTexts.h"
#include "listing/FileFacts.h"
#include "listing/PeFixtures.h"
#include "platform/files/FileSystem.h"
#include "support/PosixTree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace quiverel {
namespace {

// What only POSIX systems put under a file's name: a symbolic link is followed for the size,
// the stamp and the version, one leading nowhere gives neither stamp nor version, and a FIFO
// named like a program is never waited on (no writer will ever come).
TEST(PosixFilesTest, LinksAreFollowedAndFifosNeverWaitedOn) {
    testing::PosixTree tree;
    const std::string fixture = testing::peFixturePath("version-1.5.0.12.dll");
    tree.makeLink(tree.makeFile("target", std::string(2048, 'x')), "link");
    tree.makeLink(fixture, "tool.dll");
    tree.makeLink(tree.path("nowhere"), "dangling.dll");
    ASSERT_EQ(::mkfifo(tree.path("pipe.exe").c_str(), 0644), 0);
    const struct {
        const char* name;
        std::string size;
        bool stamped;
        const char* version;
    } cases[] = {
        {"link", "3KB", true, "-"},
        {"tool.dll", formatSizeKB(static_cast<long long>(std::filesystem::file_size(fixture))),
         true, "1.05.12"},
        {"dangling.dll", "1KB", false, ""},
        {"pipe.exe", "1KB", true, ""},
    };
    for (const auto& c : cases) {
        const std::string path = tree.path(c.name);
        FileFacts facts;
        analyseFile(fs::FileRef::atPath(path), path, false, facts);
        FactTexts texts;
        const RowTexts& row = texts.of(facts);
        EXPECT_EQ(row[cell::size], c.size) << c.name;
        EXPECT_EQ(!row[cell::stamp].empty(), c.stamped) << c.name;
        EXPECT_EQ(row[cell::version], c.version) << c.name;
    }
}

} // namespace
} // namespace quiverel
