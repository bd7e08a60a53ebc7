#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quiverel {

// The native path of the file a file: URL names on this machine, from the URL's host and its
// path with the percent escapes decoded; nothing when it names none. A file on another host is
// not the file of the same path here (on Windows such a URL names a network share, which is
// reached through this machine), a relative path has no folder to start from, and a NUL would
// cut the name short where the file system reads it.
std::optional<std::string> localFilePath(std::string_view host, std::string_view path);

} // namespace quiverel
