#include "listing/AbsolutePath.h"

#include "listing/PathText.h"

#include <filesystem>
#include <system_error>
#include <vector>

namespace quiverel {
namespace {

std::vector<std::string_view> components(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find(pathSeparator, start), path.size());
        const std::string_view part = path.substr(start, end - start);
        if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    return parts;
}

} // namespace

std::string absolutePath(std::string_view argument, std::string_view workingDirectory) {
    if (argument.empty() || argument.front() == pathSeparator || workingDirectory.empty()) {
        return std::string(argument);
    }
    std::vector<std::string_view> parts = components(workingDirectory);
    // Only ".." steps before the first name can be taken here: the working directory holds
    // no links, a name in the argument might be one.
    bool leading = true;
    for (const std::string_view part : components(argument)) {
        if (leading && part == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
            continue;
        }
        leading = false;
        parts.push_back(part);
    }

    std::string path;
    for (const std::string_view part : parts) {
        path += pathSeparator;
        path += part;
    }
    if (path.empty() || argument.back() == pathSeparator) {
        path += pathSeparator;
    }
    return path;
}

std::string workingDirectory() {
    std::error_code error;
    return std::filesystem::current_path(error).native();
}

} // namespace quiverel
