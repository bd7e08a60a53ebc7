// Every #include "..." of src/ and tests/ against the tables of "Where things live" in README.md
// (which folder may use which): a wrong arrow fails here, naming the file and the include.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

const std::filesystem::path root = QUIVEREL_SOURCE_DIR;

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The texts between backquotes in a cell of a table.
std::vector<std::string> quoted(std::string_view cell) {
    std::vector<std::string> words;
    for (std::size_t open = cell.find('`'); open != std::string_view::npos;) {
        const std::size_t close = cell.find('`', open + 1);
        if (close == std::string_view::npos) {
            break;
        }
        words.emplace_back(cell.substr(open + 1, close - open - 1));
        open = cell.find('`', close + 1);
    }
    return words;
}

std::vector<std::string_view> cellsOf(std::string_view row) {
    std::vector<std::string_view> cells;
    row.remove_prefix(1); // the leading |
    for (std::size_t bar = row.find('|'); bar != std::string_view::npos; bar = row.find('|')) {
        cells.push_back(row.substr(0, bar));
        row.remove_prefix(bar + 1);
    }
    return cells;
}

// Folder (relative to src/, or to tests/ for a folder of tests only) to the include paths it
// may begin with: "" for everything.
using ArrowTable = std::map<std::string, std::vector<std::string>, std::less<>>;

struct Arrows {
    ArrowTable sources;     // the folders of src/
    ArrowTable testsOnly;   // the folders of tests/ that test no folder of src/ alone
    ArrowTable closedUsers; // folders only the folders named may reach, whatever an arrow says
};

// The tables of the README's section "Where things live", told apart by their first heading:
// "Folder", "Test folder", "Closed folder". A row's first cell names the folder; its last lists
// the folders and headers it may use (or only users, for a closed folder), each in backquotes;
// "everything" allows all, "—" nothing.
Arrows readArrows() {
    std::ifstream in(root / "README.md");
    Arrows arrows;
    ArrowTable* table = nullptr;
    bool inSection = false;
    std::string line;
    while (std::getline(in, line)) {
        if (startsWith(line, "## ")) {
            inSection = line == "## Where things live";
            continue;
        }
        if (!inSection || !startsWith(line, "|")) {
            table = nullptr;
            continue;
        }
        const std::vector<std::string_view> cells = cellsOf(line);
        if (cells.size() < 2) {
            continue;
        }
        const std::vector<std::string> folder = quoted(cells.front());
        if (folder.empty()) {
            const std::string_view heading = cells.front();
            table = heading.find("Closed folder") != std::string_view::npos ? &arrows.closedUsers
                    : heading.find("Test folder") != std::string_view::npos ? &arrows.testsOnly
                    : heading.find("Folder") != std::string_view::npos      ? &arrows.sources
                                                                            : table;
            continue;
        }
        if (table != nullptr) {
            const bool everything = cells.back().find("everything") != std::string_view::npos;
            (*table)[folder.front()] =
                everything ? std::vector<std::string>{""} : quoted(cells.back());
        }
    }
    return arrows;
}

const Arrows& arrows() {
    static const Arrows read = readArrows();
    return read;
}

// The entry of the most specific folder of the table that holds path.
const ArrowTable::value_type* entryOf(const ArrowTable& table, std::string_view path) {
    const ArrowTable::value_type* found = nullptr;
    for (const auto& entry : table) {
        if (startsWith(path, entry.first) &&
            (found == nullptr || entry.first.size() > found->first.size())) {
            found = &entry;
        }
    }
    return found;
}

bool closedTo(std::string_view path, std::string_view include) {
    const auto* closed = entryOf(arrows().closedUsers, include);
    return closed != nullptr &&
           std::none_of(closed->second.begin(), closed->second.end(),
                        [path](const std::string& user) { return startsWith(path, user); });
}

bool allowedBy(const ArrowTable& table, std::string_view path, std::string_view include) {
    const auto* from = entryOf(table, path);
    if (from == nullptr || closedTo(path, include)) {
        return false;
    }
    if (entryOf(table, include) == from) {
        return true;
    }
    return std::any_of(
        from->second.begin(), from->second.end(),
        [include](const std::string& prefix) { return startsWith(include, prefix); });
}

// Whether a file at path (relative to src/) may include the path given.
bool allowed(std::string_view path, std::string_view include) {
    return allowedBy(arrows().sources, path, include);
}

// Whether a test at path (relative to tests/) may include the path given: a folder of tests
// follows the line of the folder it tests, or its own, and may always use the test support.
// An include without a folder is a file beside it (a helper, a moc file).
bool testAllowed(std::string_view path, std::string_view include) {
    if (include.find('/') == std::string_view::npos || startsWith(include, "support/")) {
        return entryOf(arrows().testsOnly, path) != nullptr ||
               entryOf(arrows().sources, path) != nullptr;
    }
    if (entryOf(arrows().testsOnly, path) != nullptr) {
        return allowedBy(arrows().testsOnly, path, include);
    }
    return allowed(path, include);
}

TEST(IncludeArrowsTest, TheTablesJudgeArrowsBothWays) {
    EXPECT_TRUE(allowed("window/frmMain.cpp", "listing/ListFiles.h"));
    EXPECT_TRUE(allowed("listing/pe/FileVersion.cpp", "platform/files/FileSystem.h"));
    EXPECT_TRUE(allowed("grid/RowSort.cpp", "kit/AsideThread.h"));
    EXPECT_FALSE(allowed("grid/RowSort.cpp", "listing/detail/NameList.h"));
    EXPECT_FALSE(allowed("listing/ListFiles.cpp", "grid/GridModel.h"));
    EXPECT_FALSE(allowed("kit/ChunkArena.cpp", "listing/ListFiles.h"));
    EXPECT_FALSE(allowed("window/BatchListing.cpp", "listing/detail/NameList.h"));
    EXPECT_FALSE(allowed("dialogs/about/frmAbout.cpp", "window/frmMain.h"));
    EXPECT_FALSE(allowed("cli/ListerRun.cpp", "grid/GridModel.h"));
    EXPECT_FALSE(allowed("platform/MessageBox.h", "platform/qt/QtMessageBox.h"));
    EXPECT_TRUE(allowed("platform/qt/QtMessageBox.h", "platform/MessageBox.h"));
    EXPECT_FALSE(allowed("app/Module1.cpp", "listing/detail/NameList.h"));
    EXPECT_TRUE(allowed("app/Module1.cpp", "platform/qt/QtMessageBox.h"));
    EXPECT_FALSE(allowed("window/frmMain.cpp", "platform/qt/QtMessageBox.h"));
    EXPECT_FALSE(allowed("newfolder/Thing.cpp", "listing/ListFiles.h"));

    EXPECT_FALSE(testAllowed("widgets/FlexGridViewTest.cpp", "window/DataSet_RowMidashi.h"));
    EXPECT_TRUE(testAllowed("widgets/KeyCodeAnalyzeTest.cpp", "support/FakePlatform.h"));
    EXPECT_TRUE(testAllowed("listing/FileVersionTest.cpp", "listing/PeFixtures.h"));
    EXPECT_FALSE(testAllowed("support/TestText.h", "window/FileTable.h"));
    EXPECT_FALSE(testAllowed("newfolder/ThingTest.cpp", "support/TempTree.h"));
}

// The path of an #include "..." line, or nothing for any other line. (A hand-made reader: GCC 12
// warns falsely inside std::regex in the sanitizer build.)
std::optional<std::string> quotedInclude(std::string_view line) {
    const auto skipBlanks = [&line] {
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
            line.remove_prefix(1);
        }
    };
    const auto take = [&line](std::string_view word) {
        if (!startsWith(line, word)) {
            return false;
        }
        line.remove_prefix(word.size());
        return true;
    };
    skipBlanks();
    if (!take("#")) {
        return std::nullopt;
    }
    skipBlanks();
    if (!take("include")) {
        return std::nullopt;
    }
    skipBlanks();
    if (!take("\"")) {
        return std::nullopt;
    }
    const std::size_t end = line.find('"');
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    return std::string(line.substr(0, end));
}

// Checks every include of the C++ files under folder; returns how many files it read.
int checkIncludes(const std::filesystem::path& folder,
                  bool (*judge)(std::string_view, std::string_view)) {
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) {
            continue;
        }
        ++files;
        const std::string path = entry.path().lexically_relative(folder).generic_string();
        std::ifstream in(entry.path());
        std::string line;
        while (std::getline(in, line)) {
            if (const std::optional<std::string> include = quotedInclude(line)) {
                EXPECT_TRUE(judge(path, *include)) << (folder.filename() / path).generic_string()
                                                   << ": #include \"" << *include << "\"";
            }
        }
    }
    return files;
}

TEST(IncludeArrowsTest, EveryIncludeOfTheSourcesFollowsAnArrowOfTheTable) {
    ASSERT_GE(arrows().sources.size(), 10U) << "the table was not found in README.md";
    EXPECT_GT(checkIncludes(root / "src", allowed), 100) << "the sources were not found";
}

TEST(IncludeArrowsTest, EveryIncludeOfTheTestsFollowsTheArrowOfTheFolderTested) {
    ASSERT_GE(arrows().testsOnly.size(), 3U) << "the table of test folders was not found";
    EXPECT_GT(checkIncludes(root / "tests", testAllowed), 50) << "the tests were not found";
}

} // namespace
