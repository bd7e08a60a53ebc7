#pragma once

#include <stdexcept>
#include <string>

namespace quiverel {

// A failure inside a batch: it ends the batch with the "wrong target" message. Carries the path
// (display text) the failure concerns, possibly empty, the system's reason as what() and, when
// the system gave one, its errno value.
class ListingFailure : public std::runtime_error {
public:
    ListingFailure(std::string path, const std::string& reason, int error = 0)
        : std::runtime_error(reason), m_path(std::move(path)), m_error(error) {}
    const std::string& path() const { return m_path; }
    int error() const { return m_error; }

private:
    std::string m_path;
    int m_error;
};

} // namespace quiverel
