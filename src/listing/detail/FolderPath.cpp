#include "listing/detail/FolderPath.h"

#include "listing/PathText.h"

namespace quiverel {

std::string folderText(std::string_view folder) {
    const std::size_t last = folder.find_last_not_of(pathSeparator);
    if (last == std::string_view::npos) {
        return folder.empty() ? std::string() : std::string(1, pathSeparator);
    }
    return std::string(folder.substr(0, last + 1));
}

void appendName(std::string& folderText, std::string_view name) {
    if (folderText.empty() || folderText.back() != pathSeparator) {
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
