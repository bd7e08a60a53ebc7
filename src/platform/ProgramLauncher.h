#pragma once

#include <string>

namespace quiverel {

// Starts other programs by their path.
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    // True when path names an existing file (not a folder).
    virtual bool fileExists(const std::string& path) = 0;
    // Starts the program at path with a normal, focused window and returns at once, without
    // waiting for it; false when it could not be started.
    virtual bool startDetached(const std::string& path) = 0;
};

} // namespace quiverel
