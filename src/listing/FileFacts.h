#pragma once

#include "listing/pe/FileVersion.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quiverel {

namespace fs {
class FileRef;
}

// What a listing learns of one file.
struct FileFacts {
    // The display text of the full path, upper-cased when the listing asks for it.
    std::string displayPath;
    // Where the file name starts within displayPath: after the last separator.
    std::size_t nameStart = 0;
    // The size in bytes; 0 when it cannot be read.
    std::int64_t sizeBytes = 0;
    // The last modification, in seconds since the epoch; none when it cannot be read.
    std::optional<std::int64_t> modified;
    // The name's text after its last dot, upper case; empty without a dot.
    std::string extension;
    // Whether the extension names a file with a version resource: EXE, OCX or DLL.
    bool carriesVersion = false;
    // The version numbers of such a file, when its version resource could be read.
    std::optional<VersionNumbers> version;

    std::string_view folder() const { return std::string_view(displayPath).substr(0, nameStart); }
    std::string_view fileName() const { return std::string_view(displayPath).substr(nameStart); }
};

// Whether a file of this name has a version to read: its extension is EXE, OCX or DLL, letter
// case ignored.
bool carriesVersion(std::string_view fileName);

// Finds out the facts of a file, given by path or by its name inside an open folder, whose
// full path has the display text displayPath (upper-cased here when upperCase is set). Every
// query uses the file itself, never the display text. Each fact stands by itself: one that
// cannot be read stays as cleared and the others are still found out. But a file that cannot be
// reached for want of descriptors or memory throws ListingFailure naming it: its facts would be
// wrong, not missing. The facts keep the room
// of their earlier texts, so analysing file after file into the same facts allocates little.
void analyseFile(const fs::FileRef& file, std::string_view displayPath, bool upperCase,
                 FileFacts& facts);

} // namespace quiverel
