#pragma once

// The POSIX side of what a test changes or asks about its own process: environment variables,
// the time zone the C library works in, the libraries loaded.

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

namespace quiverel::testing {

inline void setVariable(const char* name, const char* value) {
    ::setenv(name, value, 1);
}

inline void unsetVariable(const char* name) {
    ::unsetenv(name);
}

// Makes the C library take the time zone from TZ again.
inline void readTimeZoneAgain() {
    ::tzset();
}

inline bool qtIsLoaded() {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        if (line.find("libQt6") != std::string::npos) {
            return true;
        }
    }
    return false;
}

} // namespace quiverel::testing
