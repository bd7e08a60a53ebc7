#pragma once

#include "window/FileTable.h"

#include <string>
#include <vector>

namespace quiverel {

// The FileTable of the command line: each argument (native bytes) is one path, kept whole,
// blanks and quotation marks included, in the order given. A relative argument is made
// absolute against workingDirectory as absolutePath does (a ".." after a link leads where the
// kernel takes it), each on its own; an empty argument stays an empty entry. Entry 0 is empty;
// no arguments give a table with no paths.
FileTable fileTableFromArguments(const std::vector<std::string>& arguments,
                                 const std::string& workingDirectory);

} // namespace quiverel
