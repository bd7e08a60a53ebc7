#pragma once

#include "listing/ListingRequest.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quiverel::cli {

enum class OutputFormat { Tsv, Csv };

// What the command line asks the lister to do.
struct ListerSettings {
    std::string pattern = "*.*";
    std::int16_t optFolder = 1;
    std::string trim;
    bool upperCase = true;
    ColumnFlags columns{true, true, true, true, true, false, false};
    bool header = false;
    OutputFormat format = OutputFormat::Tsv;
    std::vector<std::string> paths; // as given, empty ones included
};

} // namespace quiverel::cli
