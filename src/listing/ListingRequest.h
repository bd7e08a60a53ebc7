#pragma once

#include "listing/RowTexts.h"
#include "platform/files/Descriptor.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quiverel {

// The columns a listing fills: element k is true when cell k of a row is written (see cell).
using ColumnFlags = std::array<bool, cell::count>;
inline constexpr ColumnFlags allColumns = [] {
    ColumnFlags all{};
    all.fill(true);
    return all;
}();

// The options a listing reads again while it runs: the window may change them whenever the
// listing lets its events through, and the change applies from then on.
struct LiveOptions {
    // Read at each entry that is a folder: whether its files are searched, sub-folders and all.
    std::function<bool()> searchSubfolders = [] {
        return true;
    };
    // Read at each row: the text removed once from the front of the folder cell.
    std::function<std::string_view()> trim = [] {
        return std::string_view();
    };
};

// Works out the digest of a file's contents, as text, from the file open for reading at its
// start; false when the file could not be read to its end. Called on several threads at once.
using ContentDigest = std::function<bool(const fs::Descriptor& file, std::string& digest)>;

// Told of a path given that cannot be reached, or of a folder that cannot be opened or read: its
// display text and the system's reason.
using UnreachablePath = std::function<void(const std::string& path, const std::string& reason)>;

// What to list.
struct ListingRequest {
    // The paths, in order, as native bytes exactly as the file system or the caller gave them.
    std::vector<std::string> entries;
    // Which files of a folder are listed; a path given as an entry is always listed.
    std::string pattern = "*.*";
    // Names passed over inside searched folders, each a pattern like the one above: a matching
    // file is not listed, a matching folder not entered. A path given as an entry is always
    // listed.
    std::vector<std::string> exclusions;
    LiveOptions options;
    // The paths' display texts are upper-cased; the files queried stay the same.
    bool upperCase = false;
    ColumnFlags columns{};
    // Worked out for every regular file listed when set.
    ContentDigest contentDigest;
    // When set, a path or folder that cannot be reached is handed here and passed over, and the
    // listing goes on; unset, the first one ends the listing as failed. Running short of
    // descriptors or memory ends it either way.
    UnreachablePath passOverUnreachable;
};

} // namespace quiverel
