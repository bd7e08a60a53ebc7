#include "window/LocalFilePath.h"

namespace quiverel {

std::optional<std::string> localFilePath(std::string_view host, std::string_view path) {
    if (!(host.empty() || host == "localhost") || !path.starts_with('/') ||
        path.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    return std::string(path);
}

} // namespace quiverel
