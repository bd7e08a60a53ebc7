#include "window/LocalFilePath.h"

#include "listing/PathText.h"

#include <algorithm>

namespace quiverel {
namespace {

// "C:\…": a drive's root and what lies below it. "C:…" alone would go from the drive's current
// folder, which a URL does not have.
bool startsWithDriveRoot(std::string_view path) {
    return rootLength(path) == 3 && path[1] == ':';
}

} // namespace

std::optional<std::string> localFilePath(std::string_view host, std::string_view path) {
    if (!path.starts_with('/') || path.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    std::string native;
    if (host.empty() || host == "localhost") {
        // "file:///C:/folder" has the path "/C:/folder".
        native = path.substr(1);
        if (!startsWithDriveRoot(native)) {
            return std::nullopt;
        }
    } else {
        // "file://server/share/folder" is the network share "\\server\share\folder".
        if (path.size() < 2 || path[1] == '/') {
            return std::nullopt;
        }
        native = "//" + std::string(host) + std::string(path);
    }
    std::replace(native.begin(), native.end(), '/', pathSeparator);
    return native;
}

} // namespace quiverel
