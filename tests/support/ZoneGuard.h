#pragma once

// Runs a test in a fixed time zone (TZ's form: "UTC0", "JST-9") and puts the process's own
// back afterwards.

#include "SystemProcess.h"

#include <cstdlib>
#include <optional>
#include <string>

namespace quiverel::testing {

class ZoneGuard {
public:
    explicit ZoneGuard(const char* zone) {
        if (const char* previous = std::getenv("TZ")) {
            m_previous = previous;
        }
        setVariable("TZ", zone);
        readTimeZoneAgain();
    }
    ~ZoneGuard() {
        if (m_previous) {
            setVariable("TZ", m_previous->c_str());
        } else {
            unsetVariable("TZ");
        }
        readTimeZoneAgain();
    }
    ZoneGuard(const ZoneGuard&) = delete;
    ZoneGuard& operator=(const ZoneGuard&) = delete;

private:
    std::optional<std::string> m_previous;
};

} // namespace quiverel::testing
