#pragma once

#include <stdexcept>
#include <string>

namespace quiverel {

// A failure inside a batch: it ends the batch with the "wrong target" message. Carries the path
// (display text) the failure concerns, possibly empty, and the system's reason as what().
class ListingFailure : public std::runtime_error {
public:
    ListingFailure(std::string path, const std::string& reason)
        : std::runtime_error(reason), m_path(std::move(path)) {}
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace quiverel
