#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace quiverel::cli {

// Appends the paths the stream holds, separated by the separator (a line feed or NUL), to
// paths; empty ones are passed over. Returns 0, or the errno value of a failed read.
int readPathList(std::FILE* in, char separator, std::vector<std::string>& paths);

} // namespace quiverel::cli
