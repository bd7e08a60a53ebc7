#pragma once

#include <optional>
#include <string>

namespace quiverel {

// Where the system says its system-information program is: first its full path, failing that
// the folder that holds it.
class SystemInfoLocator {
public:
    virtual ~SystemInfoLocator() = default;
    virtual std::optional<std::string> programPath() = 0;
    virtual std::optional<std::string> programFolder() = 0;
};

} // namespace quiverel
