#pragma once

#include "platform/SystemInfoLocator.h"

#include <string>
#include <vector>

namespace quiverel {

// The system-information program on Linux: the first of systemInfoPrograms() found in the
// search path, looked for afresh at each question. No folder is ever named.
class QtSystemInfoLocator : public SystemInfoLocator {
public:
    // The programs tried, in this order: KDE's Info Center, HardInfo (version 2 before the
    // older one), CPU-X, and last GNOME's Settings, whose About page shows the system.
    static const std::vector<std::string>& systemInfoPrograms();

    std::optional<std::string> programPath() override;
    std::optional<std::string> programInFolder() override;
};

} // namespace quiverel
