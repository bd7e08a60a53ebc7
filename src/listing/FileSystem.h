#pragma once

#include <string>
#include <sys/stat.h>

// File-system access by native path. Paths longer than the system's PATH_MAX are reached
// component by component, so deep trees stay reachable.
namespace quiverel::fs {

// stat() (following links) or lstat(); returns 0 or the errno value.
int statPath(const std::string& nativePath, struct stat& out, bool followLinks = true);

// open() with the given flags (O_CLOEXEC is added); returns the descriptor or -1 with errno set.
int openPath(const std::string& nativePath, int flags);

// The system's text for an errno value.
std::string errorText(int error);

} // namespace quiverel::fs
