#include "cli/ListerArguments.h"
#include "cli/ListerMessages.h"

#include <gtest/gtest.h>

namespace quiverel::cli {
namespace {

using Action = ListerCommand::Action;

ListerCommand parse(std::vector<std::string> args) {
    args.insert(args.begin(), "quiverel2000-list");
    return parseArguments(args);
}

TEST(ListerArguments, DefaultsSuitScripts) {
    const ListerCommand command = parse({"/data"});
    ASSERT_EQ(command.action, Action::List);
    const ListerSettings& settings = command.settings;
    EXPECT_EQ(settings.pattern, "*.*");
    EXPECT_TRUE(settings.searchSubfolders);
    EXPECT_EQ(settings.trim, "");
    EXPECT_FALSE(settings.upperCase);
    EXPECT_EQ(settings.columns, (ColumnFlags{true, true, true, true, true, true, true}));
    EXPECT_FALSE(settings.header);
    EXPECT_FALSE(settings.strict);
    EXPECT_FALSE(settings.nulRecords);
    EXPECT_EQ(settings.format, OutputFormat::Tsv);
    EXPECT_EQ(settings.paths, std::vector<std::string>{"/data"});
}

TEST(ListerArguments, ShortAndLongOptionsSetTheSameThings) {
    const std::vector<std::vector<std::string>> spellings = {
        {"-p", "*.txt;*.dll", "-n", "-t", "/home/", "-l", "-c", "7,1", "-H", "-f", "csv", "a"},
        {"--pattern=*.txt;*.dll", "--no-subfolders", "--trim", "/home/", "--no-upper",
         "--columns=7,1", "--header", "--format=csv", "a"},
        {"-nlH", "-p*.txt;*.dll", "-t/home/", "-c7,1", "-fcsv", "a"},
        {"a", "--format", "csv", "-nlH", "-c", "7,1", "-t", "/home/", "-p", "*.txt;*.dll"},
    };
    for (const auto& spelling : spellings) {
        SCOPED_TRACE(spelling.front());
        const ListerCommand command = parse(spelling);
        ASSERT_EQ(command.action, Action::List) << command.problem;
        const ListerSettings& settings = command.settings;
        EXPECT_EQ(settings.pattern, "*.txt;*.dll");
        EXPECT_FALSE(settings.searchSubfolders);
        EXPECT_EQ(settings.trim, "/home/");
        EXPECT_FALSE(settings.upperCase);
        EXPECT_EQ(settings.columns, (ColumnFlags{true, false, false, false, false, false, true}));
        EXPECT_TRUE(settings.header);
        EXPECT_EQ(settings.format, OutputFormat::Csv);
        EXPECT_EQ(settings.paths, std::vector<std::string>{"a"});
    }
}

TEST(ListerArguments, InventoryOptionsInEitherSpelling) {
    const std::vector<std::vector<std::string>> spellings = {
        {"-x", "a", "-xb*", "-q", "--hash=sha256", "-f", "json", "p"},
        {"--exclude", "a", "--exclude=b*", "--quiet", "--hash", "sha256", "--format=json", "p"},
    };
    for (const auto& spelling : spellings) {
        const ListerCommand command = parse(spelling);
        ASSERT_EQ(command.action, Action::List) << command.problem;
        EXPECT_EQ(command.settings.exclusions, (std::vector<std::string>{"a", "b*"}));
        EXPECT_TRUE(command.settings.quiet);
        EXPECT_TRUE(command.settings.sha256);
        EXPECT_EQ(command.settings.format, OutputFormat::Json);
    }
}

TEST(ListerArguments, PathsKeepTheirOrderAndEmptyOnes) {
    const ListerCommand command = parse({"b", "", "-H", "a", "--", "-n", ""});
    ASSERT_EQ(command.action, Action::List);
    EXPECT_TRUE(command.settings.searchSubfolders);
    EXPECT_EQ(command.settings.paths, (std::vector<std::string>{"b", "", "a", "-n", ""}));
}

TEST(ListerArguments, HelpAndVersionWinOverPaths) {
    EXPECT_EQ(parse({"--help", "a"}).action, Action::Help);
    EXPECT_EQ(parse({"a", "--version"}).action, Action::Version);
    EXPECT_EQ(parse({"--version"}).action, Action::Version);
    EXPECT_EQ(parse({"-h"}).action, Action::Help);
    EXPECT_EQ(parse({"-V", "a"}).action, Action::Version);
}

TEST(ListerArguments, ScriptOptions) {
    const ListerCommand command =
        parse({"--files-from=-", "-0", "-z", "--strict", "-U", "--header=en"});
    ASSERT_EQ(command.action, Action::List) << command.problem;
    const ListerSettings& settings = command.settings;
    EXPECT_EQ(settings.pathList, "-");
    EXPECT_EQ(settings.pathListSeparator, '\0');
    EXPECT_TRUE(settings.nulRecords && settings.strict && settings.upperCase);
    EXPECT_TRUE(settings.header && settings.englishHeader);
    EXPECT_TRUE(settings.paths.empty());
    EXPECT_FALSE(parse({"-U", "-l", "a"}).settings.upperCase) << "the last of the two wins";
}

TEST(ListerArguments, BadCommandLinesAreUsageProblemsNamingTheCause) {
    struct Case {
        std::vector<std::string> args;
        std::string problem;
    };
    const Case cases[] = {
        {{}, "no PATH given"},
        {{"-H"}, "no PATH given"},
        {{"-y", "a"}, "invalid option '-y'"},
        {{"-Hy", "a"}, "invalid option '-y'"},
        {{"--frobnicate", "a"}, "invalid option '--frobnicate'"},
        {{"--header=yes", "a"}, "invalid argument 'yes' for '--header'"},
        {{"-z", "--format=json", "a"}, "'--print0' cannot be used with '--format=json'"},
        {{"--files-from"}, "option '--files-from' requires an argument"},
        {{"-0", "-z"}, "no PATH given"},
        {{"a", "-p"}, "option '-p' requires an argument"},
        {{"a", "--columns"}, "option '--columns' requires an argument"},
        {{"-c", "0", "a"}, "invalid column list '0'"},
        {{"-f", "xml", "a"}, "invalid argument 'xml' for '--format'"},
        {{"--format=xml", "a"}, "invalid argument 'xml' for '--format'"},
        {{"--hash=md5", "a"}, "invalid argument 'md5' for '--hash'"},
        {{"--exclude=", "a"}, "invalid argument '' for '--exclude'"},
        {{"-x", " ; ", "a"}, "invalid argument ' ; ' for '--exclude'"},
        {{"-x", "a/b", "a"}, "invalid argument 'a/b' for '--exclude'"},
        {{"a", "-x"}, "option '-x' requires an argument"},
        {{"-H", "-f", "json", "a"}, "'--header' cannot be used with '--format=json'"},
        {{"-p", "sub/*.txt", "a"}, "unusable pattern 'sub/*.txt'"},
        {{"-p", "*.txt;a/", "a"}, "unusable pattern '*.txt;a/'"},
    };
    for (const Case& c : cases) {
        const ListerCommand command = parse(c.args);
        EXPECT_EQ(command.action, Action::Usage) << c.problem;
        EXPECT_EQ(command.problem, c.problem);
    }
}

TEST(ListerArguments, ParsesEachCallAfresh) {
    EXPECT_EQ(parse({"-y", "a"}).action, Action::Usage);
    const ListerCommand command = parse({"-n", "b"});
    ASSERT_EQ(command.action, Action::List);
    EXPECT_FALSE(command.settings.searchSubfolders);
    EXPECT_EQ(command.settings.paths, std::vector<std::string>{"b"});
}

TEST(ListerLanguage, TheFirstLocaleVariableSetDecides) {
    struct Case {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        Language language;
    };
    const Case cases[] = {
        {nullptr, nullptr, "ja_JP.UTF-8", Language::Japanese},
        {"C", nullptr, "ja_JP.UTF-8", Language::English},
        {"", "ja_JP.eucJP", "en_US.UTF-8", Language::Japanese},
        {"ja", nullptr, nullptr, Language::Japanese},
        {nullptr, nullptr, "jam_JM", Language::English},
        {nullptr, nullptr, nullptr, Language::English},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(languageOf(c.lcAll, c.lcMessages, c.lang), c.language)
            << (c.lang != nullptr ? c.lang : "-");
    }
    // Both languages of a message come from one row, with the values in place.
    EXPECT_EQ(messageText(Language::English, Message::InvalidValue, {"x", "--format"}),
              "invalid argument 'x' for '--format'");
    EXPECT_EQ(messageText(Language::Japanese, Message::InvalidValue, {"x", "--format"}),
              "'--format' の値 'x' は使えません");
}

TEST(ColumnList, AcceptsNumbersOneToSevenOrAll) {
    const ColumnFlags all{true, true, true, true, true, true, true};
    struct Case {
        const char* list;
        std::optional<ColumnFlags> columns;
    };
    const Case cases[] = {
        {"all", all},
        {"1,2,3,4,5,6,7", all},
        {"3", ColumnFlags{false, false, true, false, false, false, false}},
        {"7,2,2", ColumnFlags{false, true, false, false, false, false, true}},
        {"", std::nullopt},
        {"ALL", std::nullopt},
        {"8", std::nullopt},
        {"0", std::nullopt},
        {"1,", std::nullopt},
        {",1", std::nullopt},
        {"1,,2", std::nullopt},
        {"1, 2", std::nullopt},
        {"12", std::nullopt},
        {"-1", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        EXPECT_EQ(parseColumnList(c.list), c.columns);
    }
}

} // namespace
} // namespace quiverel::cli
