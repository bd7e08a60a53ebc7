#include "listing/ListFiles.h"

#include "listing/ListingControl.h"
#include "listing/PeFixtures.h"
#include "listing/RowTexts.h"
#include "support/TempTree.h"
#include "support/ZoneGuard.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <ctime>
#include <filesystem>
#include <map>

namespace quiverel {
namespace {

// The rows of a listing by full path: size, version and stamp.
class RowsByPath : public RowSink {
public:
    struct Row {
        std::string size, version, stamp;
        bool operator==(const Row&) const = default;
    };
    void begin() override { rows.clear(); }
    void addRow(const RowTexts& row) override {
        rows[std::string(row[cell::fullPath])] = {std::string(row[cell::size]),
                                                  std::string(row[cell::version]),
                                                  std::string(row[cell::stamp])};
    }
    std::map<std::string, Row> rows;
};

class WindowsListingTest : public ::testing::Test {
protected:
    ListingOutcome list(const std::string& entry) {
        ListingRequest request;
        request.entries = {entry};
        request.columns = allColumns;
        return listFiles(request, control, sink);
    }

    void setAttributes(const std::string& path, DWORD attributes) {
        ASSERT_TRUE(::SetFileAttributesW(testing::fileSystemPath(path).c_str(), attributes))
            << path;
    }

    testing::TempTree tree;
    ListingControl control;
    RowsByPath sink;
};

// Files far past the 260 characters of a plain path are listed with their size and version.
TEST_F(WindowsListingTest, ListsFilesPastTheLengthOfAPlainPath) {
    std::string deep = "deep";
    tree.makeFolder(deep);
    while (tree.path(deep).size() < 400) {
        deep += "/a-folder-name-of-forty-characters-here";
        tree.makeFolder(deep);
    }
    const std::string text = tree.makeFile(deep + "/notes.txt", std::string(5000, 'x'));
    const std::string program =
        tree.makeFile(deep + "/tool.dll", testing::readPeFixture("version-1.5.0.12.dll"));
    ASSERT_GT(text.size(), 400u);

    ASSERT_EQ(list(tree.path("deep")).kind, ListingOutcome::Kind::Listed);
    ASSERT_EQ(sink.rows.size(), 2u);
    EXPECT_EQ(sink.rows[text].size, "5KB");
    EXPECT_EQ(sink.rows[text].version, "-");
    EXPECT_EQ(sink.rows[program].version, "1.05.12");
    EXPECT_FALSE(sink.rows[program].stamp.empty());
}

// Hidden and system files and folders are left out of a folder's files, as Explorer leaves
// them out; a hidden file given by its own path is listed.
TEST_F(WindowsListingTest, LeavesOutHiddenAndSystemEntries) {
    const std::string shown = tree.makeFile("shown.txt");
    setAttributes(tree.makeFile("hidden.txt"), FILE_ATTRIBUTE_HIDDEN);
    setAttributes(tree.makeFile("system.dll"), FILE_ATTRIBUTE_SYSTEM);
    setAttributes(tree.makeFolder("hidden-folder"), FILE_ATTRIBUTE_HIDDEN);
    tree.makeFile("hidden-folder/inside.txt");
    const std::string readOnly = tree.makeFile("read-only.txt");
    setAttributes(readOnly, FILE_ATTRIBUTE_READONLY);

    ASSERT_EQ(list(tree.root()).kind, ListingOutcome::Kind::Listed);
    EXPECT_EQ(sink.rows.size(), 2u);
    EXPECT_TRUE(sink.rows.contains(shown));
    EXPECT_TRUE(sink.rows.contains(readOnly));
    setAttributes(readOnly, FILE_ATTRIBUTE_NORMAL); // so that the tree can be removed

    ASSERT_EQ(list(tree.path("hidden.txt")).kind, ListingOutcome::Kind::Listed);
    EXPECT_EQ(sink.rows.size(), 1u);
}

// The stamp is the last write in the time zone the C library works in, as it shows a time.
TEST_F(WindowsListingTest, StampIsTheLastWriteInLocalTime) {
    const std::string file = tree.makeFile("stamped.txt");
    testing::setModified(file, 1700000000);
    const struct {
        const char* zone;
        const char* stamp;
    } cases[] = {
        {"UTC0", "2023/11/14 22:13"}, {"JST-9", "2023/11/15 07:13"}, {"EST5", "2023/11/14 17:13"}};
    for (const auto& c : cases) {
        const testing::ZoneGuard zone(c.zone);
        ASSERT_EQ(list(file).kind, ListingOutcome::Kind::Listed);
        EXPECT_EQ(sink.rows[file].stamp, c.stamp) << c.zone;
    }
}

} // namespace
} // namespace quiverel
