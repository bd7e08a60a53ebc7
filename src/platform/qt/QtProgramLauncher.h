#pragma once

#include "platform/ProgramLauncher.h"

namespace quiverel {

// Starts programs with QProcess, detached from this one.
class QtProgramLauncher : public ProgramLauncher {
public:
    bool fileExists(const std::string& path) override;
    bool startDetached(const std::string& path) override;
};

} // namespace quiverel
