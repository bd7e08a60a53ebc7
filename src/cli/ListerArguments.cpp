#include "cli/ListerArguments.h"

#include "cli/ListerMessages.h"
#include "listing/WildcardPattern.h"

#include <getopt.h>

namespace quiverel::cli {
namespace {

enum class Value { None, Required, Optional };

// What an option does with its value; returns the problem, or an empty text.
using OptionHandler = std::string (*)(ListerCommand& command, std::string_view value);

struct OptionRow {
    const char* longName;
    char shortName; // 0 for a long option only
    Value value;    // a short option's value is never optional
    OptionHandler handle;
};

std::string problem(Message message, const std::vector<std::string_view>& values) {
    return messageText(userLanguage(), message, values);
}

std::string setFormat(ListerCommand& command, std::string_view name) {
    constexpr std::pair<std::string_view, OutputFormat> formats[] = {
        {"tsv", OutputFormat::Tsv}, {"csv", OutputFormat::Csv}, {"json", OutputFormat::Json}};
    for (const auto& [formatName, format] : formats) {
        if (name == formatName) {
            command.settings.format = format;
            return {};
        }
    }
    return problem(Message::InvalidValue, {name, "--format"});
}

std::string setHeader(ListerCommand& command, std::string_view language) {
    if (!language.empty() && language != "en" && language != "ja") {
        return problem(Message::InvalidValue, {language, "--header"});
    }
    command.settings.header = true;
    command.settings.englishHeader = language == "en";
    return {};
}

// One row per option; the help text and the man page describe them in the same order.
constexpr OptionRow optionTable[] = {
    {"pattern", 'p', Value::Required,
     [](ListerCommand& command, std::string_view pattern) {
         if (!WildcardPattern::parse(pattern)) {
             return problem(Message::UnusablePattern, {pattern});
         }
         command.settings.pattern = pattern;
         return std::string();
     }},
    {"no-subfolders", 'n', Value::None,
     [](ListerCommand& command, std::string_view) {
         command.settings.searchSubfolders = false;
         return std::string();
     }},
    {"trim", 't', Value::Required,
     [](ListerCommand& command, std::string_view text) {
         command.settings.trim = text;
         return std::string();
     }},
    {"upper", 'U', Value::None,
     [](ListerCommand& command, std::string_view) {
         command.settings.upperCase = true;
         return std::string();
     }},
    {"no-upper", 'l', Value::None,
     [](ListerCommand& command, std::string_view) {
         command.settings.upperCase = false;
         return std::string();
     }},
    {"columns", 'c', Value::Required,
     [](ListerCommand& command, std::string_view list) {
         const std::optional<ColumnFlags> columns = parseColumnList(list);
         if (!columns) {
             return problem(Message::InvalidColumns, {list});
         }
         command.settings.columns = *columns;
         return std::string();
     }},
    {"exclude", 'x', Value::Required,
     [](ListerCommand& command, std::string_view pattern) {
         // A blank pattern would pass over nothing: the user meant something else.
         if (WildcardPattern::isBlank(pattern) || !WildcardPattern::parse(pattern)) {
             return problem(Message::InvalidValue, {pattern, "--exclude"});
         }
         command.settings.exclusions.emplace_back(pattern);
         return std::string();
     }},
    {"header", 'H', Value::Optional, setHeader},
    {"format", 'f', Value::Required, setFormat},
    {"print0", 'z', Value::None,
     [](ListerCommand& command, std::string_view) {
         command.settings.nulRecords = true;
         return std::string();
     }},
    {"files-from", 0, Value::Required,
     [](ListerCommand& command, std::string_view file) {
         command.settings.pathList = file;
         return std::string();
     }},
    {"null", '0', Value::None,
     [](ListerCommand& command, std::string_view) {
         command.settings.pathListSeparator = '\0';
         return std::string();
     }},
    {"hash", 0, Value::Required,
     [](ListerCommand& command, std::string_view algorithm) {
         if (algorithm != "sha256") {
             return problem(Message::InvalidValue, {algorithm, "--hash"});
         }
         command.settings.sha256 = true;
         return std::string();
     }},
    {"strict", 0, Value::None,
     [](ListerCommand& command, std::string_view) {
         command.settings.strict = true;
         return std::string();
     }},
    {"quiet", 'q', Value::None,
     [](ListerCommand& command, std::string_view) {
         command.settings.quiet = true;
         return std::string();
     }},
    {"help", 'h', Value::None,
     [](ListerCommand& command, std::string_view) {
         command.action = ListerCommand::Action::Help;
         return std::string();
     }},
    {"version", 'V', Value::None,
     [](ListerCommand& command, std::string_view) {
         command.action = ListerCommand::Action::Version;
         return std::string();
     }},
};

constexpr int firstRowCode = 256;
constexpr int rowCount = static_cast<int>(std::size(optionTable));

// getopt_long's view of the table: each option returns its row's code, firstRowCode + row.
struct GetoptTables {
    std::string shortOptions = ":";
    std::vector<option> longOptions;
    GetoptTables() {
        for (int row = 0; row < rowCount; ++row) {
            const OptionRow& entry = optionTable[row];
            if (entry.shortName != 0) {
                shortOptions += entry.shortName;
                shortOptions += entry.value == Value::Required ? ":" : "";
            }
            const int hasArg = entry.value == Value::None       ? no_argument
                               : entry.value == Value::Required ? required_argument
                                                                : optional_argument;
            longOptions.push_back({entry.longName, hasArg, nullptr, firstRowCode + row});
        }
        longOptions.push_back({nullptr, 0, nullptr, 0});
    }
};

int rowOfShort(int letter) {
    for (int row = 0; row < rowCount; ++row) {
        if (optionTable[row].shortName == letter) {
            return row;
        }
    }
    return -1;
}

// The option as the user wrote it, for a problem report. An unknown letter is reported by
// itself; every other problem concerns the last element read, which may be a long option.
std::string spelledOption(const std::vector<char*>& argv, int argc) {
    const bool unknownLetter = optopt > 0 && optopt < firstRowCode && rowOfShort(optopt) < 0;
    const int last = optind - 1;
    if (!unknownLetter && last > 0 && last < argc) {
        const std::string_view text = argv[static_cast<std::size_t>(last)];
        if (text.starts_with("--")) {
            return std::string(text.substr(0, text.find('=')));
        }
    }
    return std::string("-") + static_cast<char>(optopt);
}

// The cell a column number of --columns names: the columns are numbered as the lister writes
// them, 1 for the first cell.
std::optional<std::size_t> cellOfNumber(std::string_view item) {
    static_assert(listedColumn::ofCell(cell::count - 1) < 10, "column numbers are one digit");
    if (item.size() != 1 || item[0] < '0' || item[0] > '9') {
        return std::nullopt;
    }
    const auto number = static_cast<std::size_t>(item[0] - '0');
    if (number < listedColumn::ofCell(0) || number > listedColumn::ofCell(cell::count - 1)) {
        return std::nullopt;
    }
    return number - listedColumn::ofCell(0);
}

ListerCommand usageProblem(std::string text) {
    ListerCommand command;
    command.action = ListerCommand::Action::Usage;
    command.problem = std::move(text);
    return command;
}

} // namespace

std::optional<ColumnFlags> parseColumnList(std::string_view list) {
    if (list == "all") {
        return allColumns;
    }
    ColumnFlags columns{};
    std::size_t start = 0;
    while (true) {
        const std::size_t end = std::min(list.find(',', start), list.size());
        const std::string_view item = list.substr(start, end - start);
        const std::optional<std::size_t> cell = cellOfNumber(item);
        if (!cell) {
            return std::nullopt;
        }
        columns[*cell] = true;
        if (end == list.size()) {
            return columns;
        }
        start = end + 1;
    }
}

ListerCommand parseArguments(const std::vector<std::string>& args) {
    static const GetoptTables tables;
    // getopt_long re-orders its array, so it works on copies of the texts.
    std::vector<std::string> texts = args;
    std::vector<char*> argv;
    for (std::string& text : texts) {
        argv.push_back(text.data());
    }
    argv.push_back(nullptr);
    const int argc = static_cast<int>(texts.size());

    ListerCommand command;
    ListerSettings& settings = command.settings;
    optind = 0; // start afresh on every call
    opterr = 0; // problems are reported by the caller
    int code = 0;
    while ((code = getopt_long(argc, argv.data(), tables.shortOptions.c_str(),
                               tables.longOptions.data(), nullptr)) != -1) {
        const int row = code >= firstRowCode ? code - firstRowCode : rowOfShort(code);
        if (code == ':') {
            return usageProblem(problem(Message::MissingValue, {spelledOption(argv, argc)}));
        }
        if (row < 0) {
            return usageProblem(problem(Message::InvalidOption, {spelledOption(argv, argc)}));
        }
        std::string trouble =
            optionTable[row].handle(command, optarg != nullptr ? optarg : std::string_view());
        if (!trouble.empty()) {
            return usageProblem(std::move(trouble));
        }
        if (command.action != ListerCommand::Action::List) {
            return command;
        }
    }
    if (settings.format == OutputFormat::Json && (settings.header || settings.nulRecords)) {
        return usageProblem(
            problem(Message::NotWithJson, {settings.header ? "--header" : "--print0"}));
    }
    if (optind >= argc && settings.pathList.empty()) {
        return usageProblem(problem(Message::NoPath, {}));
    }
    for (int i = optind; i < argc; ++i) {
        settings.paths.emplace_back(argv[static_cast<std::size_t>(i)]);
    }
    return command;
}

} // namespace quiverel::cli
