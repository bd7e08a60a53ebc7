#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quiverel {

// The entry names of one folder, kept compactly: all names in one buffer, each ended by a NUL
// (which no file name holds), plus the start of each name.
class NameList {
public:
    void add(std::string_view name);
    // Ascending by name, ASCII letters folded to upper case; names equal that way keep byte order.
    void sort();
    std::size_t size() const { return m_starts.size(); }
    bool empty() const { return m_starts.empty(); }
    std::string_view operator[](std::size_t index) const;

private:
    std::string m_names;
    std::vector<std::size_t> m_starts;
};

} // namespace quiverel
