#pragma once

// The Windows side of what a test changes or asks about its own process: environment variables
// as the C library keeps them, the time zone it works in, the libraries loaded.

#include <windows.h>

#include <cstdlib>
#include <ctime>

namespace quiverel::testing {

inline void setVariable(const char* name, const char* value) {
    ::_putenv_s(name, value);
}

// An empty value removes the variable.
inline void unsetVariable(const char* name) {
    ::_putenv_s(name, "");
}

// Makes the C library take the time zone from TZ again.
inline void readTimeZoneAgain() {
    ::_tzset();
}

inline bool qtIsLoaded() {
    return ::GetModuleHandleW(L"Qt6Core.dll") != nullptr;
}

} // namespace quiverel::testing
