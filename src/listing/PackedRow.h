#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace quiverel {

// The texts of one grid row packed into a single heap buffer: the cell count, the end offset of
// each cell, then the cells' bytes back to back. Trailing empty cells are not stored, and a row
// whose cells are all empty holds no buffer at all. Writing a cell rebuilds the buffer.
class PackedRow {
public:
    // The text of cell col; empty for a cell beyond the stored ones.
    std::string_view cell(std::size_t col) const;
    void setCell(std::size_t col, std::string_view text);
    // Discards the cells from column cols on.
    void truncate(std::size_t cols);
    void clear() { m_data.reset(); }

private:
    std::size_t cellCount() const;
    std::size_t cellEnd(std::size_t col) const;
    const char* bytes() const;
    template <typename CellSource> void rebuild(std::size_t count, CellSource cellAt);

    std::unique_ptr<char[]> m_data;
};

} // namespace quiverel
