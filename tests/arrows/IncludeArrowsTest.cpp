// Every #include "..." of src/ against the table of which folder may use which: a wrong arrow
// fails here, naming the file and the include.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Arrows {
    std::string_view folder;                  // a folder of src/ and what lies below it
    std::vector<std::string_view> mayInclude; // include paths beginning so are allowed
};

// The most specific folder that holds a file comes first. A folder may always use itself.
const std::vector<Arrows>& table() {
    static const std::vector<Arrows> arrows = {
        {"app/", {""}},
        {"window/",
         {"dialogs/", "widgets/", "settings/", "grid/", "listing/", "kit/", "platform/",
          "generated/"}},
        {"dialogs/", {"widgets/", "settings/", "platform/", "generated/"}},
        {"widgets/", {"grid/", "platform/"}},
        {"settings/", {"platform/", "generated/"}},
        {"cli/",
         {"listing/", "grid/ListedRows.h", "platform/posix/StandardDescriptors.h", "generated/"}},
        {"grid/", {"listing/RowTexts.h", "listing/PathText.h", "kit/"}},
        {"listing/", {"kit/", "platform/posix/Descriptor.h"}},
        {"kit/", {}},
        {"platform/qt/", {"platform/"}},
        {"platform/posix/", {}},
        {"platform/", {}},
    };
    return arrows;
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The table's entry for the folder that holds path; nullptr for a folder it does not know.
const Arrows* arrowsOf(std::string_view path) {
    for (const Arrows& arrows : table()) {
        if (startsWith(path, arrows.folder)) {
            return &arrows;
        }
    }
    return nullptr;
}

// Folders that only the folders named may reach, whatever a wider arrow says.
struct Closed {
    std::string_view folder;
    std::vector<std::string_view> users;
};
const std::vector<Closed> closedFolders = {
    {"listing/detail/", {"listing/"}},          // the core's plumbing
    {"platform/qt/", {"platform/qt/", "app/"}}, // only the composition root picks them
};

bool closedTo(std::string_view path, std::string_view include) {
    for (const Closed& closed : closedFolders) {
        if (startsWith(include, closed.folder)) {
            for (const std::string_view user : closed.users) {
                if (startsWith(path, user)) {
                    return false;
                }
            }
            return true;
        }
    }
    return false;
}

// Whether a file at path (relative to src/) may include the path given.
bool allowed(std::string_view path, std::string_view include) {
    const Arrows* from = arrowsOf(path);
    if (from == nullptr || closedTo(path, include)) {
        return false;
    }
    if (arrowsOf(include) == from) {
        return true;
    }
    for (const std::string_view prefix : from->mayInclude) {
        if (startsWith(include, prefix)) {
            return true;
        }
    }
    return false;
}

TEST(IncludeArrowsTest, TheTableJudgesArrowsBothWays) {
    EXPECT_TRUE(allowed("window/frmMain.cpp", "listing/ListFiles.h"));
    EXPECT_TRUE(allowed("listing/pe/FileVersion.cpp", "listing/detail/FileSystem.h"));
    EXPECT_TRUE(allowed("grid/RowSort.cpp", "kit/AsideThread.h"));
    EXPECT_FALSE(allowed("grid/RowSort.cpp", "listing/detail/NameList.h"));
    EXPECT_FALSE(allowed("listing/ListFiles.cpp", "grid/GridModel.h"));
    EXPECT_FALSE(allowed("window/BatchListing.cpp", "listing/detail/NameList.h"));
    EXPECT_FALSE(allowed("dialogs/about/frmAbout.cpp", "window/frmMain.h"));
    EXPECT_FALSE(allowed("cli/ListerRun.cpp", "grid/GridModel.h"));
    EXPECT_FALSE(allowed("platform/MessageBox.h", "platform/qt/QtMessageBox.h"));
    EXPECT_FALSE(allowed("app/Module1.cpp", "listing/detail/NameList.h"));
    EXPECT_TRUE(allowed("app/Module1.cpp", "platform/qt/QtMessageBox.h"));
    EXPECT_FALSE(allowed("window/frmMain.cpp", "platform/qt/QtMessageBox.h"));
    EXPECT_FALSE(allowed("newfolder/Thing.cpp", "listing/ListFiles.h"));
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

TEST(IncludeArrowsTest, EveryIncludeOfTheSourcesFollowsAnArrowOfTheTable) {
    const std::filesystem::path src = QUIVEREL_SOURCE_DIR;
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(src)) {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) {
            continue;
        }
        ++files;
        const std::string path = entry.path().lexically_relative(src).generic_string();
        std::ifstream in(entry.path());
        std::string line;
        while (std::getline(in, line)) {
            if (const std::optional<std::string> include = quotedInclude(line)) {
                EXPECT_TRUE(allowed(path, *include))
                    << "src/" << path << ": #include \"" << *include << "\"";
            }
        }
    }
    EXPECT_GT(files, 100) << "the sources were not found under " << src;
}

} // namespace
