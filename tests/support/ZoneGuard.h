#pragma once

// Runs a test in a fixed time zone and puts the machine's own back afterwards.

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace quiverel::testing {

class ZoneGuard {
public:
    explicit ZoneGuard(const char* zone) {
        if (const char* previous = std::getenv("TZ")) {
            m_previous = previous;
        }
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~ZoneGuard() {
        if (m_previous) {
            ::setenv("TZ", m_previous->c_str(), 1);
        } else {
            ::unsetenv("TZ");
        }
        ::tzset();
    }
    ZoneGuard(const ZoneGuard&) = delete;
    ZoneGuard& operator=(const ZoneGuard&) = delete;

private:
    std::optional<std::string> m_previous;
};

} // namespace quiverel::testing
