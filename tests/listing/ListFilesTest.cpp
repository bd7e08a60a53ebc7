#include "listing/ListFiles.h"

#include "listing/LetterCase.h"
#include "listing/ListingControl.h"
#include "listing/PathText.h"
#include "listing/RowTexts.h"
#include "platform/files/FileSystem.h"
#include "support/TempTree.h"
#include "support/ZoneGuard.h"

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>

namespace quiverel {
namespace {

using Cells = std::array<std::string, 7>;
constexpr ColumnFlags allColumns{true, true, true, true, true, true, true};

// Keeps the rows a listing hands over; throws at the row of failAt, when set.
class RecordingSink : public RowSink {
public:
    void begin() override { ++begun; }
    void addRow(const RowTexts& row) override {
        Cells cells;
        for (std::size_t k = 0; k < row.size(); ++k) {
            cells[k] = std::string(row[k]);
        }
        if (cells[cell::fileName] == failAt) {
            throw std::runtime_error("no room for the row");
        }
        rows.push_back(cells);
    }
    int begun = 0;
    std::vector<Cells> rows;
    std::string failAt = "\n";
};

// One real file of 3000 bytes in the folders data/data, stamped 2023/11/14 22:13 UTC.
class ListFilesTest : public ::testing::Test {
protected:
    ListFilesTest() {
        tree.makeFolder("data");
        tree.makeFolder("data/data");
        file = tree.makeFile("data/data/Report.log", std::string(3000, 'x'));
        testing::setModified(file, 1700000000);
    }

    ListingOutcome list(std::vector<std::string> entries, const ColumnFlags& columns = allColumns,
                        const std::string& trim = {}, bool upperCase = false) {
        ListingRequest request;
        request.entries = std::move(entries);
        request.options.trim = [&trim] {
            return std::string_view(trim);
        };
        request.upperCase = upperCase;
        request.columns = columns;
        return listFiles(request, control, sink);
    }

    testing::TempTree tree;
    std::string file;
    ListingControl control;
    RecordingSink sink;
};

TEST_F(ListFilesTest, HandsOverEachChosenColumnAndOnlyThat) {
    const testing::ZoneGuard zone("UTC0");
    const std::string folder = tree.path("data/data/");
    const Cells full = {"Report.log", folder, "3KB", "-", "2023/11/14 22:13", file, "LOG"};
    for (std::size_t k = 0; k < 7; ++k) {
        ColumnFlags only{};
        only[k] = true;
        sink.rows.clear();
        ASSERT_EQ(list({file}, only).kind, ListingOutcome::Kind::Listed) << k;
        Cells expected{};
        expected[k] = full[k];
        ASSERT_EQ(sink.rows.size(), 1u);
        EXPECT_EQ(sink.rows[0], expected) << k;
    }
    sink.rows.clear();
    list({file});
    EXPECT_EQ(sink.rows, std::vector<Cells>{full});
    sink.rows.clear();
    EXPECT_EQ(list({file}, ColumnFlags{}).rows, 1) << "no column chosen still gives a row";
    EXPECT_EQ(sink.rows, std::vector<Cells>{Cells{}});
}

TEST_F(ListFilesTest, TrimRemovesTheTextOnceAndOnlyAtTheStartOfTheFolder) {
    const auto root = [this](const char* relative) {
        return tree.path(relative);
    };
    const auto upperRoot = [this](const char* relative) {
        return toUpperCase(tree.path(relative));
    };
    const auto native = testing::nativeSeparators;
    const struct {
        std::string trim;
        bool upperCase;
        std::string folder;
    } cases[] = {
        {"", false, root("data/data/")},
        {root("data"), false, native("/data/")},
        {root("data/"), false, native("data/")},
        {upperRoot("data/"), false, root("data/data/")},
        {root("data/data/"), false, ""},
        {root("data/data/Report.log"), false, root("data/data/")},
        {native("data/"), false, root("data/data/")},
        {root("data/"), true, upperRoot("data/data/")},
        {upperRoot("data/"), true, native("DATA/")},
    };
    for (const auto& c : cases) {
        sink.rows.clear();
        list({file}, allColumns, c.trim, c.upperCase);
        ASSERT_EQ(sink.rows.size(), 1u);
        EXPECT_EQ(sink.rows[0][cell::folder], c.folder) << c.trim;
        EXPECT_EQ(sink.rows[0][cell::fullPath], c.upperCase ? toUpperCase(file) : file)
            << "the full path keeps everything";
    }
}

TEST_F(ListFilesTest, UpperCaseChangesTheTextsButNotTheFileQueried) {
    list({file}, allColumns, {}, true);
    ASSERT_EQ(sink.rows.size(), 1u);
    EXPECT_EQ(sink.rows[0][cell::fileName], "REPORT.LOG");
    EXPECT_EQ(sink.rows[0][cell::size], "3KB");
}

TEST_F(ListFilesTest, OutcomesNameTheFailedPathAndTheReason) {
    const ListingOutcome nothing = list({tree.makeFolder("empty")});
    EXPECT_EQ(nothing.kind, ListingOutcome::Kind::NothingFound);
    EXPECT_EQ(sink.rows.size(), 0u);
    EXPECT_EQ(sink.begun, 1);

    const std::string missing = tree.path("missing.txt");
    const ListingOutcome unreachable = list({file, missing, file});
    EXPECT_EQ(unreachable.kind, ListingOutcome::Kind::Failed);
    EXPECT_EQ(unreachable.rows, 1) << "the rows before the failure stay";
    EXPECT_EQ(unreachable.failedPath, missing);
    EXPECT_EQ(unreachable.reason, fs::errorText(testing::missingFileError));

    sink.failAt = "Report.log";
    const ListingOutcome failed = list({file});
    EXPECT_EQ(failed.kind, ListingOutcome::Kind::Failed);
    EXPECT_EQ(failed.failedPath, file);
    EXPECT_EQ(failed.reason, "no room for the row");

    const ListingOutcome badPattern = [&] {
        ListingRequest request;
        request.entries = {file};
        request.pattern = "sub/*.txt";
        return listFiles(request, control, sink);
    }();
    EXPECT_EQ(badPattern.kind, ListingOutcome::Kind::Failed);
    EXPECT_EQ(sink.begun, 3) << "a pattern that cannot be used leaves the sink alone";
}

} // namespace
} // namespace quiverel
