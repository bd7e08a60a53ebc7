#pragma once

#include "listing/ListingRequest.h"

#include <string>
#include <vector>

namespace quiverel::cli {

enum class OutputFormat { Tsv, Csv, Json };

// What the command line asks the lister to do.
struct ListerSettings {
    std::string pattern = "*.*";
    std::vector<std::string> exclusions;
    bool searchSubfolders = true; // folders contribute their files, sub-folders and all
    std::string trim;
    bool upperCase = false; // the names, folders and paths of tsv and csv rows
    ColumnFlags columns = allColumns;
    bool header = false;
    bool englishHeader = false;
    OutputFormat format = OutputFormat::Tsv;
    bool nulRecords = false;        // rows end with NUL instead of a line feed
    bool sha256 = false;            // a column with each file's SHA-256
    bool quiet = false;             // no progress line
    bool strict = false;            // the first path that cannot be listed ends the run
    std::string pathList;           // a file of paths to list ("-": standard input), if any
    char pathListSeparator = '\n';  // between the paths of that file
    std::vector<std::string> paths; // as given, empty ones included
};

} // namespace quiverel::cli
