#pragma once

#include <optional>
#include <string>

namespace quiverel {

// Where the system says its system-information program is: first its full path, failing that
// the path it has in the folder the system names for it.
class SystemInfoLocator {
public:
    virtual ~SystemInfoLocator() = default;
    // The program's full path as the system keeps it; nothing when the system names none.
    virtual std::optional<std::string> programPath() = 0;
    // The program's path in the folder the system names for it, which may not hold it;
    // nothing when the system names no folder.
    virtual std::optional<std::string> programInFolder() = 0;
};

} // namespace quiverel
