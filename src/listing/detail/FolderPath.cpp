#include "listing/detail/FolderPath.h"

#include "listing/PathText.h"

namespace quiverel {

std::string folderText(std::string_view folder) {
    std::size_t end = folder.size();
    while (end > 0 && isPathSeparator(folder[end - 1])) {
        --end;
    }
    if (end == 0) {
        return folder.empty() ? std::string() : std::string(1, pathSeparator);
    }
    return std::string(folder.substr(0, end));
}

void appendName(std::string& folderText, std::string_view name) {
    if (folderText.empty() || !isPathSeparator(folderText.back())) {
        folderText += pathSeparator;
    }
    folderText.append(name);
}

std::string childPath(std::string_view folderText, std::string_view name) {
    std::string path;
    path.reserve(folderText.size() + 1 + name.size());
    path.append(folderText);
    appendName(path, name);
    return path;
}

} // namespace quiverel
