#include "cli/PathList.h"

#include <cerrno>

namespace quiverel::cli {

int readPathList(std::FILE* in, char separator, std::vector<std::string>& paths) {
    std::string path;
    char buffer[1 << 16];
    std::size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
        for (std::size_t i = 0; i < read; ++i) {
            if (buffer[i] != separator) {
                path += buffer[i];
            } else if (!path.empty()) {
                paths.push_back(std::move(path));
                path.clear();
            }
        }
    }
    if (std::ferror(in)) {
        return errno != 0 ? errno : EIO;
    }
    if (!path.empty()) {
        paths.push_back(std::move(path));
    }
    return 0;
}

} // namespace quiverel::cli
