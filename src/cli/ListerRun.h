#pragma once

#include "cli/ListerSettings.h"

#include <cstdio>

namespace quiverel::cli {

namespace exitCode {
inline constexpr int listed = 0;
inline constexpr int nothingFound = 1;
inline constexpr int failed = 2;
inline constexpr int usage = 64;
inline constexpr int writeError = 74;
} // namespace exitCode

// Lists the paths of settings and writes the rows to out; messages go to standard error.
// Returns the exit status.
int runLister(const ListerSettings& settings, std::FILE* out);

} // namespace quiverel::cli
