#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace quiverel {

// The cells of one grid row packed into one byte record: the cell count, then for each cell its
// length (and where its bytes are, when elsewhere), then the bytes. A cell whose text stands
// inside a longer cell of the same row (the folder and the name inside the full path, say) keeps
// no bytes of its own and points into the longer one. Lengths and positions are variable-length
// numbers, so a short cell costs one byte beside its text.
class RowRecordWriter {
public:
    // Lays out the record of cells (cell i is column i). Returns its size in bytes.
    std::size_t plan(std::span<const std::string_view> cells);
    // Writes the record planned last into out, which has room for its size.
    void write(char* out) const;

private:
    struct Placement {
        std::uint32_t host;   // the cell whose bytes hold this one's; itself when it has its own
        std::size_t position; // where in the host's bytes
    };

    // Where a cell that keeps no bytes of its own ends, counted back from the byte area's end.
    std::size_t distanceToEnd(std::size_t cell) const;

    std::span<const std::string_view> m_cells;
    std::size_t m_firstCol = 0; // 1 when an empty column 0 is left out
    std::size_t m_ownBytes = 0;
    std::vector<Placement> m_placements;
    std::vector<std::uint32_t> m_longestFirst;
    std::vector<std::uint32_t> m_hosts;
    std::vector<std::size_t> m_areaOffsets;
};

namespace rowrecord {

// The number of cells stored (trailing empty cells are not).
std::size_t cellCount(const char* record);
// The text of cell col; empty past the stored cells.
std::string_view cell(const char* record, std::size_t col);
// Every stored cell, in column order.
void cells(const char* record, std::vector<std::string_view>& out);
// The record's size in bytes.
std::size_t size(const char* record);

} // namespace rowrecord

} // namespace quiverel
