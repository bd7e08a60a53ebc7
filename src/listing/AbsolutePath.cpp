#include "listing/AbsolutePath.h"

#include "listing/PathText.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace quiverel {
namespace {

std::vector<std::string_view> components(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = start;
        while (end < path.size() && !isPathSeparator(path[end])) {
            ++end;
        }
        const std::string_view part = path.substr(start, end - start);
        if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    return parts;
}

// The path with every separator written as the system writes it.
std::string withSeparators(std::string_view path) {
    std::string written(path);
    std::replace(written.begin(), written.end(), '/', pathSeparator);
    return written;
}

} // namespace

std::string absolutePath(std::string_view argument, std::string_view workingDirectory) {
    if (argument.empty() || rootLength(argument) > 0 || workingDirectory.empty()) {
        return withSeparators(argument);
    }
    // The folder paths start from: "/", or on Windows the working directory's drive or share
    // (a folder named from the root of the drive keeps its first separator).
    const std::size_t rootSize =
        std::max<std::size_t>(rootLength(workingDirectory), isPathSeparator(workingDirectory[0]));
    std::string path = withSeparators(workingDirectory.substr(0, rootSize));
    // A share's root may come without its closing separator ("\\server\share").
    const bool rootClosed = path.empty() || isPathSeparator(path.back());
    if (isPathSeparator(argument.front())) {
        // On Windows, a path from the root of the working directory's drive.
        if (!path.empty() && rootClosed) {
            path.pop_back();
        }
        return path + withSeparators(argument);
    }
    std::vector<std::string_view> parts = components(workingDirectory.substr(rootSize));
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

    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0 || !rootClosed) {
            path += pathSeparator;
        }
        path += parts[i];
    }
    if (!parts.empty() && isPathSeparator(argument.back())) {
        path += pathSeparator;
    }
    return path;
}

std::string workingDirectory() {
    std::error_code error;
    const std::u8string path = std::filesystem::current_path(error).u8string();
    return std::string(path.begin(), path.end());
}

} // namespace quiverel
