#include "cli/ListerArguments.h"

#include "listing/WildcardPattern.h"

#include <getopt.h>

namespace quiverel::cli {
namespace {

enum LongOnly { helpOption = 256, versionOption, hashOption };

constexpr const char* shortOptions = ":p:nt:lc:Hf:x:q";
constexpr option longOptions[] = {
    {"pattern", required_argument, nullptr, 'p'},
    {"no-subfolders", no_argument, nullptr, 'n'},
    {"trim", required_argument, nullptr, 't'},
    {"no-upper", no_argument, nullptr, 'l'},
    {"columns", required_argument, nullptr, 'c'},
    {"header", no_argument, nullptr, 'H'},
    {"format", required_argument, nullptr, 'f'},
    {"exclude", required_argument, nullptr, 'x'},
    {"hash", required_argument, nullptr, hashOption},
    {"quiet", no_argument, nullptr, 'q'},
    {"help", no_argument, nullptr, helpOption},
    {"version", no_argument, nullptr, versionOption},
    {nullptr, 0, nullptr, 0},
};

// The option as the user wrote it, for a problem report. An unknown letter is reported by
// itself; every other problem concerns the last element read, which may be a long option.
std::string spelledOption(const std::vector<char*>& argv, int argc) {
    const bool unknownLetter =
        optopt > 0 && optopt < helpOption && optopt != ':' &&
        std::string_view(shortOptions).find(static_cast<char>(optopt)) == std::string_view::npos;
    const int last = optind - 1;
    if (!unknownLetter && last > 0 && last < argc) {
        const std::string_view text = argv[static_cast<std::size_t>(last)];
        if (text.starts_with("--")) {
            return std::string(text.substr(0, text.find('=')));
        }
    }
    return std::string("-") + static_cast<char>(optopt);
}

std::optional<OutputFormat> formatNamed(std::string_view name) {
    if (name == "tsv") {
        return OutputFormat::Tsv;
    }
    if (name == "csv") {
        return OutputFormat::Csv;
    }
    if (name == "json") {
        return OutputFormat::Json;
    }
    return std::nullopt;
}

std::string invalidArgument(std::string_view argument, std::string_view option) {
    return "invalid argument '" + std::string(argument) + "' for '" + std::string(option) + "'";
}

ListerCommand usageProblem(std::string problem) {
    ListerCommand command;
    command.action = ListerCommand::Action::Usage;
    command.problem = std::move(problem);
    return command;
}

} // namespace

std::optional<ColumnFlags> parseColumnList(std::string_view list) {
    if (list == "all") {
        return ColumnFlags{true, true, true, true, true, true, true};
    }
    ColumnFlags columns{};
    std::size_t start = 0;
    while (true) {
        const std::size_t end = std::min(list.find(',', start), list.size());
        const std::string_view item = list.substr(start, end - start);
        if (item.size() != 1 || item[0] < '1' || item[0] > '7') {
            return std::nullopt;
        }
        columns[static_cast<std::size_t>(item[0] - '1')] = true;
        if (end == list.size()) {
            return columns;
        }
        start = end + 1;
    }
}

ListerCommand parseArguments(const std::vector<std::string>& args) {
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
    int optionCharacter = 0;
    while ((optionCharacter = getopt_long(argc, argv.data(), shortOptions, longOptions, nullptr)) !=
           -1) {
        switch (optionCharacter) {
        case 'p':
            if (!WildcardPattern::parse(optarg)) {
                return usageProblem("unusable pattern '" + std::string(optarg) + "'");
            }
            settings.pattern = optarg;
            break;
        case 'n':
            settings.optFolder = 0;
            break;
        case 't':
            settings.trim = optarg;
            break;
        case 'l':
            settings.upperCase = false;
            break;
        case 'c': {
            const std::optional<ColumnFlags> columns = parseColumnList(optarg);
            if (!columns) {
                return usageProblem("invalid column list '" + std::string(optarg) + "'");
            }
            settings.columns = *columns;
            break;
        }
        case 'H':
            settings.header = true;
            break;
        case 'f': {
            const std::optional<OutputFormat> format = formatNamed(optarg);
            if (!format) {
                return usageProblem(invalidArgument(optarg, "--format"));
            }
            settings.format = *format;
            break;
        }
        case 'x':
            // A blank pattern would pass over nothing: the user meant something else.
            if (WildcardPattern::isBlank(optarg) || !WildcardPattern::parse(optarg)) {
                return usageProblem(invalidArgument(optarg, "--exclude"));
            }
            settings.exclusions.emplace_back(optarg);
            break;
        case hashOption:
            if (std::string_view(optarg) != "sha256") {
                return usageProblem(invalidArgument(optarg, "--hash"));
            }
            settings.sha256 = true;
            break;
        case 'q':
            settings.quiet = true;
            break;
        case helpOption:
            command.action = ListerCommand::Action::Help;
            return command;
        case versionOption:
            command.action = ListerCommand::Action::Version;
            return command;
        case ':':
            return usageProblem("option '" + spelledOption(argv, argc) + "' requires an argument");
        default:
            return usageProblem("invalid option '" + spelledOption(argv, argc) + "'");
        }
    }
    if (settings.header && settings.format == OutputFormat::Json) {
        return usageProblem("'--header' cannot be used with '--format=json'");
    }
    if (optind >= argc) {
        return usageProblem("no PATH given");
    }
    for (int i = optind; i < argc; ++i) {
        settings.paths.emplace_back(argv[static_cast<std::size_t>(i)]);
    }
    return command;
}

} // namespace quiverel::cli
