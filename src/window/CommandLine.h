#pragma once

#include "window/FileTable.h"

#include <string>
#include <vector>

namespace quiverel {

// The argument text of the command line: the program's arguments (native bytes) joined with
// single blanks, each relative one first made absolute against workingDirectory as
// absolutePath does (a ".." after a link leads where the kernel takes it). An empty argument
// stays empty. No arguments give the empty text.
std::string argumentText(const std::vector<std::string>& arguments,
                         const std::string& workingDirectory);

// Cuts the argument text at every blank into the entries 1 to n of a FileTable, n being the
// number of blanks plus one. Blanks belong to no piece; two blanks in a row, a leading or a
// trailing blank give empty pieces; quotation marks are ordinary characters. Entry 0 is empty.
FileTable fileTableFromArgumentText(const std::string& text);

} // namespace quiverel
