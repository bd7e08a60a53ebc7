#pragma once

#include <string>
#include <string_view>

namespace quiverel {

// A path given from a terminal made absolute against the folder workingDirectory (itself
// absolute and free of links, as getcwd gives it), without looking at the file system, so that
// it reaches what the kernel reaches from there. Leading "." and ".." steps are taken against
// the working directory, "." steps and doubled separators are dropped and a trailing separator
// is kept. Other ".." steps stay, since a link before them decides where they lead. Absolute
// and empty arguments come back unchanged, and so does every argument when the working
// directory is unknown (empty).
std::string absolutePath(std::string_view argument, std::string_view workingDirectory);

// The process's working directory, or an empty text when it cannot be told (relative paths then
// stay relative and the listing reports them).
std::string workingDirectory();

} // namespace quiverel
