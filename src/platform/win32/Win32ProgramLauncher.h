#pragma once

#include "platform/ProgramLauncher.h"

namespace quiverel {

// Starts programs with CreateProcess, in a normal window of their own, without waiting.
class Win32ProgramLauncher : public ProgramLauncher {
public:
    bool fileExists(const std::string& path) override;
    bool startDetached(const std::string& path) override;
};

} // namespace quiverel
