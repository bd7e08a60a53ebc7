#pragma once

// A real temporary folder tree for tests, removed with everything in it at the end. Its paths
// are native: UTF-8 with the system's separator, into which the "/" of a relative path given
// here is turned.

#include "SystemTree.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quiverel::testing {

// The relative path with its separators written as the system writes them.
inline std::string nativeSeparators(std::string_view relative) {
    std::string path(relative);
    std::replace(path.begin(), path.end(), '/', nativeSeparator);
    return path;
}

class TempTree {
public:
    TempTree() : m_root(makeTempFolder()) {}
    ~TempTree() { removeTree(m_root); }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& root() const { return m_root; }
    std::string path(std::string_view relative) const {
        return m_root + nativeSeparator + nativeSeparators(relative);
    }

    std::string makeFolder(std::string_view relative) const {
        const std::string folder = path(relative);
        if (!std::filesystem::create_directory(fileSystemPath(folder))) {
            throw std::runtime_error("the folder is there already: " + folder);
        }
        return folder;
    }

    std::string makeFile(std::string_view relative, std::string_view content = {}) const {
        const std::string file = path(relative);
        std::ofstream stream(fileSystemPath(file), std::ios::binary | std::ios::trunc);
        stream.write(content.data(), static_cast<std::streamsize>(content.size()));
        stream.close();
        if (!stream) {
            throw std::runtime_error("cannot write " + file);
        }
        return file;
    }

private:
    std::string m_root;
};

} // namespace quiverel::testing
