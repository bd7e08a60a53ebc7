#pragma once

// A temporary tree that also holds what only POSIX systems make: symbolic links, and chains of
// folders far deeper than PATH_MAX.

#include "support/TempTree.h"

#include <fcntl.h>
#include <string>
#include <string_view>
#include <unistd.h>

namespace quiverel::testing {

class PosixTree : public TempTree {
public:
    std::string makeLink(std::string_view target, std::string_view relative) const {
        const std::string link = path(relative);
        if (::symlink(std::string(target).c_str(), link.c_str()) != 0) {
            throwSystemError("symlink " + link);
        }
        return link;
    }

    // Nests `levels` folders named `name` below the folder `relative` (empty: the root), each
    // holding an empty file `fileName` unless it is empty; returns the deepest folder's path,
    // which may be far longer than PATH_MAX.
    std::string makeChain(std::string_view relative, int levels, const std::string& name,
                          const std::string& fileName) const {
        std::string deepest = relative.empty() ? root() : path(relative);
        OpenFolder folder(::open(deepest.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        for (int level = 0; level < levels; ++level) {
            if (folder.get() < 0 || ::mkdirat(folder.get(), name.c_str(), 0755) != 0) {
                throwSystemError("make chain");
            }
            folder.reset(::openat(folder.get(), name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
            deepest += "/" + name;
            if (!fileName.empty()) {
                const int fd =
                    ::openat(folder.get(), fileName.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
                if (fd < 0) {
                    throwSystemError("create in chain");
                }
                ::close(fd);
            }
        }
        return deepest;
    }
};

} // namespace quiverel::testing
