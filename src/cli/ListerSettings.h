#pragma once

#include "listing/ListingRequest.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quiverel::cli {

enum class OutputFormat { Tsv, Csv, Json };

// What the command line asks the lister to do.
struct ListerSettings {
    std::string pattern = "*.*";
    std::vector<std::string> exclusions;
    std::int16_t optFolder = 1;
    std::string trim;
    bool upperCase = true;
    ColumnFlags columns{true, true, true, true, true, false, false};
    bool header = false;
    OutputFormat format = OutputFormat::Tsv;
    bool sha256 = false;            // a column with each file's SHA-256
    bool quiet = false;             // no progress line
    std::vector<std::string> paths; // as given, empty ones included
};

} // namespace quiverel::cli
