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

TEST(TableFormat, KeepsNonAsciiBytesAsTheyAre) {
    EXPECT_EQ(row(OutputFormat::Tsv, {"ﾌｧｲﾙ名", "拡張子"}), "before|ﾌｧｲﾙ名\t拡張子\n");
    EXPECT_EQ(row(OutputFormat::Csv, {"ﾌｧｲﾙ名", "拡張子"}), "before|ﾌｧｲﾙ名,拡張子\n");
}

} // namespace
} // namespace quiverel::cli
