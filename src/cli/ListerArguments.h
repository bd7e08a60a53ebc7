#pragma once

#include "cli/ListerSettings.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quiverel::cli {

struct ListerCommand {
    enum class Action { List, Help, Version, Usage };
    Action action = Action::List;
    std::string problem; // for Usage: what was wrong with the arguments
    ListerSettings settings;
};

// Reads the program's arguments (args[0] is the program name).
ListerCommand parseArguments(const std::vector<std::string>& args);

// "all" or column numbers 1 to 7 separated by commas; nullopt when the text is not such a list.
std::optional<ColumnFlags> parseColumnList(std::string_view list);

} // namespace quiverel::cli
