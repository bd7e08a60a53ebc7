#include "cli/TableFormat.h"

#include <gtest/gtest.h>

#include <vector>

namespace quiverel::cli {
namespace {

std::string row(OutputFormat format, std::vector<std::string_view> cells) {
    std::string out = "before|";
    appendRow(out, format, cells);
    return out;
}

TEST(TableFormat, TsvSeparatesByTabsAndEscapesWhatWouldBreakARow) {
    EXPECT_EQ(row(OutputFormat::Tsv, {"1", "a b.txt", "", "x,\"y\""}),
              "before|1\ta b.txt\t\tx,\"y\"\n");
    EXPECT_EQ(row(OutputFormat::Tsv, {"tab\there", "cr\rlf\n", "back\\slash", "\\t"}),
              "before|tab\\there\tcr\\rlf\\n\tback\\\\slash\t\\\\t\n");
    EXPECT_EQ(row(OutputFormat::Tsv, {""}), "before|\n");
}

TEST(TableFormat, CsvQuotesOnlyWhereNeededAndDoublesQuotes) {
    EXPECT_EQ(row(OutputFormat::Csv, {"1", "plain name.txt", "", "tab\there"}),
              "before|1,plain name.txt,,tab\there\n");
    EXPECT_EQ(row(OutputFormat::Csv, {"a,b", "say \"hi\"", "two\nlines", "cr\r", "\""}),
              "before|\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",\"cr\r\",\"\"\"\"\n");
}

TEST(TableFormat, FindsWhatToEscapeAnywhereInALongCell) {
    // Cells are looked at eight bytes at a time: a special byte in each place of a word, and
    // bytes that look alike in part (control characters, the other marks) that need nothing.
    const std::string plain = "/HOME/USER/A LONG FOLDER NAME/\x01\x0b\x0c\x0e\x7f/ÄÖ";
    for (std::size_t at = 0; at <= plain.size(); ++at) {
        for (const char special : {'\t', '\r', '\n', '\\'}) {
            std::string cell = plain;
            cell.insert(at, 1, special);
            const std::string escaped = std::string(1, '\\') + (special == '\t'   ? 't'
                                                                : special == '\r' ? 'r'
                                                                : special == '\n' ? 'n'
                                                                                  : '\\');
            EXPECT_EQ(row(OutputFormat::Tsv, {cell}),
                      "before|" + plain.substr(0, at) + escaped + plain.substr(at) + "\n")
                << at;
        }
        std::string quoted = plain;
        quoted.insert(at, ",");
        EXPECT_EQ(row(OutputFormat::Csv, {quoted}), "before|\"" + quoted + "\"\n") << at;
    }
    EXPECT_EQ(row(OutputFormat::Tsv, {plain}), "before|" + plain + "\n");
    EXPECT_EQ(row(OutputFormat::Csv, {plain}), "before|" + plain + "\n");
}

TEST(TableFormat, KeepsNonAsciiBytesAsTheyAre) {
    EXPECT_EQ(row(OutputFormat::Tsv, {"ﾌｧｲﾙ名", "拡張子"}), "before|ﾌｧｲﾙ名\t拡張子\n");
    EXPECT_EQ(row(OutputFormat::Csv, {"ﾌｧｲﾙ名", "拡張子"}), "before|ﾌｧｲﾙ名,拡張子\n");
}

} // namespace
} // namespace quiverel::cli
