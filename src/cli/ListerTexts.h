#pragma once

// The lister's own texts; the listing messages come from listing/ListingTexts.h.

#include "listing/RowTexts.h"

#include <array>

namespace quiverel::cli::texts {

inline constexpr const char* programName = "quiverel2000-list";
// The heading of the hash column, after the grid's eight.
inline constexpr const char* hashHeading = "SHA-256";

// The heading row in English, for --header=en; the grid's own headings are the default.
inline constexpr auto englishColumnHeadings = std::to_array<const char*>({
    "No.",
    "File name",
    "Folder",
    "Size (KB)",
    "Version",
    "Time stamp",
    "Full path",
    "Extension",
});
static_assert(englishColumnHeadings.size() == listedColumn::count);

inline constexpr const char* help =
    "Usage: quiverel2000-list [OPTION]... PATH...\n"
    "List the files given and the matching files of the folders given, with all their\n"
    "sub-folders, sorted by file name and numbered. Every row has eight columns:\n"
    "No., file name, folder, size (KB), version, time stamp, full path, extension.\n"
    "\n"
    "  -p, --pattern=PATTERN   files of folders to list, parts separated by ';' with\n"
    "                          '*' and '?', letter case ignored (default: *.*);\n"
    "                          files given directly are always listed\n"
    "  -n, --no-subfolders     list no folder contents, only the files given\n"
    "  -t, --trim=TEXT         remove TEXT from the start of the folder column\n"
    "  -U, --upper             upper-case names, folders and paths in tsv and csv\n"
    "  -l, --no-upper          keep the paths' letter case (the default)\n"
    "  -c, --columns=LIST      columns to fill: numbers 1 to 7 separated by commas,\n"
    "                          or 'all' (default: all); the others stay empty\n"
    "  -x, --exclude=PATTERN   inside the folders searched, pass over the files and\n"
    "                          folders whose names match PATTERN (wildcards as in\n"
    "                          --pattern, letter case ignored); a folder passed over\n"
    "                          is not entered; may be given more than once; paths\n"
    "                          given are always listed\n"
    "  -H, --header[=LANG]     write the heading row first, in Japanese (ja, the\n"
    "                          default) or English (en); not with json\n"
    "  -f, --format=FORMAT     tsv (default), csv or json\n"
    "  -z, --print0            end each row with NUL instead of a line feed (not\n"
    "                          with json)\n"
    "      --files-from=FILE   list the paths in FILE ('-': standard input), one a\n"
    "                          line, before the PATHs given; empty lines are ignored\n"
    "  -0, --null              the paths in FILE are separated by NUL\n"
    "      --hash=sha256       add a column with each file's SHA-256 in lower-case\n"
    "                          hex; empty for a file that cannot be read\n"
    "      --strict            stop at the first path or folder that cannot be read\n"
    "  -q, --quiet             no progress line on a terminal's standard error\n"
    "  -h, --help              show this help and exit\n"
    "  -V, --version           show the version and exit\n"
    "\n"
    "Output: one line per row, ended by a line feed (NUL with --print0).\n"
    "  tsv: cells separated by tabs; a tab, carriage return, line feed or backslash\n"
    "       inside a cell is written as \\t, \\r, \\n or \\\\, any other control\n"
    "       character as \\xHH.\n"
    "  csv: RFC 4180; a cell holding a comma, double quote or control character is\n"
    "       quoted, its double quotes doubled; lines end with a line feed. On a\n"
    "       terminal, control characters in cells are escaped as in tsv.\n"
    "  json: JSON Lines, one object per row: \"no\", \"name\", \"folder\", \"size\"\n"
    "       (bytes) and \"size_text\", \"version\" and \"version_numbers\" (four\n"
    "       numbers or null), \"modified\" (RFC 3339 local time), \"path\",\n"
    "       \"extension\", \"sha256\"; the fields of columns not chosen are left out.\n"
    "       Names, folders and paths keep their letter case, also with --upper.\n"
    "       A path that is not valid UTF-8 shows U+FFFD in the texts and comes whole,\n"
    "       base64-encoded, in \"path_base64\".\n"
    "With --hash, a ninth cell or the \"sha256\" field holds the hash.\n"
    "While a listing takes longer than a second, a terminal's standard error shows\n"
    "the number of files found so far.\n"
    "Relative paths are taken from the working directory. A path or folder that\n"
    "cannot be read is named on standard error and passed over. Files whose time\n"
    "stamps cannot be read are passed over; standard error says how many and names\n"
    "a few. Messages are in Japanese when the locale is Japanese.\n"
    "\n"
    "Exit status:\n"
    "   0  every path was listed\n"
    "   1  a path or folder could not be read and was passed over\n"
    "   2  the listing stopped: with --strict at the first path that could not be\n"
    "      read (the rows listed before it are written), or the list of paths\n"
    "      could not be read\n"
    "   3  nothing was found to list\n"
    "  64  the command line was wrong\n"
    "  74  the output could not be written\n";

} // namespace quiverel::cli::texts
