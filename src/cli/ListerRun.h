#pragma once

#include "cli/ListerSettings.h"

#include <cstdio>

namespace quiverel::cli {

namespace exitCode {
inline constexpr int listed = 0;     // every path given was listed
inline constexpr int passedOver = 1; // a path or folder could not be read and was passed over
inline constexpr int failed = 2;     // the run stopped (with --strict, at the first such path)
inline constexpr int nothingFound = 3;
inline constexpr int usage = 64;
inline constexpr int writeError = 74;
} // namespace exitCode

// Lists the paths of settings and writes the rows to out; messages go to standard error.
// Returns the exit status.
int runLister(const ListerSettings& settings, std::FILE* out);

} // namespace quiverel::cli
