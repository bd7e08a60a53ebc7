#include "cli/TableFormat.h"

#include <gtest/gtest.h>

#include <vector>

namespace quiverel::cli {
namespace {

std::string row(OutputFormat format, std::vector<std::string_view> cells,
                OutputTarget target = OutputTarget::File) {
    std::string out = "before|";
    appendRow(out, format, target, cells);
    return out;
}

TEST(TableFormat, TsvSeparatesByTabsAndEscapesWhatWouldBreakARow) {
    EXPECT_EQ(row(OutputFormat::Tsv, {"1", "a b.txt", "", "x,\"y\""}),
              "before|1\ta b.txt\t\tx,\"y\"\n");
    EXPECT_EQ(row(OutputFormat::Tsv, {"tab\there", "cr\rlf\n", "back\\slash", "\\t"}),
              "before|tab\\there\tcr\\rlf\\n\tback\\\\slash\t\\\\t\n");
    EXPECT_EQ(row(OutputFormat::Tsv, {""}), "before|\n");
}

TEST(TableFormat, TsvWritesOtherControlCharactersInHex) {
    // A name holding ESC or BEL must not recolour, retitle or ring the terminal it is listed on.
    EXPECT_EQ(row(OutputFormat::Tsv, {"\x1b]0;owned\x07", std::string_view("nul\0", 4), "del\x7f"}),
              "before|\\x1B]0;owned\\x07\tnul\\x00\tdel\\x7F\n");
    EXPECT_EQ(row(OutputFormat::Tsv, {"\x01\x1f\x20~\x80"}), "before|\\x01\\x1F ~\x80\n");
    // UTF-8 C1 controls (CSI, OSC, ST) are commands to 8-bit terminals; their neighbours are not.
    EXPECT_EQ(row(OutputFormat::Tsv, {"\xc2\x9b"
                                      "31m",
                                      "\xc2\x9d"
                                      "0;t\xc2\x9c",
                                      "\xc2\x80\xc2\x9f"}),
              "before|\\xC2\\x9B31m\t\\xC2\\x9D0;t\\xC2\\x9C\t\\xC2\\x80\\xC2\\x9F\n");
    EXPECT_EQ(row(OutputFormat::Tsv, {"\xc2\xa0\xc2\xa9\xc3\x9b\xe3\x82\x9b\xc2"}),
              "before|\xc2\xa0\xc2\xa9\xc3\x9b\xe3\x82\x9b\xc2\n");
}

TEST(TableFormat, CsvQuotesCellsWithControlsAndEscapesThemOnlyForATerminal) {
    const std::vector<std::string_view> cells = {"esc\x1b[31m", "say \"hi\"\x07", "back\\slash",
                                                 "tab\there",
                                                 "csi\xc2\x9b"
                                                 "1m"};
    EXPECT_EQ(row(OutputFormat::Csv, cells),
              "before|\"esc\x1b[31m\",\"say \"\"hi\"\"\x07\",back\\slash,\"tab\there\","
              "\"csi\xc2\x9b"
              "1m\"\n");
    EXPECT_EQ(row(OutputFormat::Csv, cells, OutputTarget::Terminal),
              "before|\"esc\\x1B[31m\",\"say \"\"hi\"\"\\x07\",back\\slash,\"tab\\there\","
              "\"csi\\xC2\\x9B1m\"\n");
    EXPECT_EQ(row(OutputFormat::Csv, {"a,b", "plain"}, OutputTarget::Terminal),
              "before|\"a,b\",plain\n");
}

TEST(TableFormat, CsvQuotesOnlyWhereNeededAndDoublesQuotes) {
    EXPECT_EQ(row(OutputFormat::Csv, {"1", "plain name.txt", "", "a b"}),
              "before|1,plain name.txt,,a b\n");
    EXPECT_EQ(row(OutputFormat::Csv, {"a,b", "say \"hi\"", "two\nlines", "cr\r", "\""}),
              "before|\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",\"cr\r\",\"\"\"\"\n");
}

TEST(TableFormat, FindsWhatToEscapeAnywhereInALongCell) {
    // Cells are looked at eight bytes at a time: a special byte in each place of a word, and
    // bytes that look alike in part (control characters, the other marks) that need nothing.
    const std::string plain = "/HOME/USER/A LONG FOLDER NAME/ !~\x80\xff/ÄÖ©\xc2";
    const std::pair<std::string_view, const char*> specials[] = {
        {"\t", "\\t"},
        {"\r", "\\r"},
        {"\n", "\\n"},
        {"\\", "\\\\"},
        {"\x1b", "\\x1B"},
        {"\x7f", "\\x7F"},
        {std::string_view("\0", 1), "\\x00"},
        {"\x1f", "\\x1F"},
        {"\xc2\x9b", "\\xC2\\x9B"}};
    for (std::size_t at = 0; at <= plain.size(); ++at) {
        for (const auto& [special, escaped] : specials) {
            std::string cell = plain;
            cell.insert(at, special);
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
