#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

namespace quiverel {

// How a row's record keeps one of its cells.
enum class CellForm : std::uint8_t {
    Empty,
    Kept,           // its text, among the record's kept texts
    Folder,         // the row's folder text
    FolderEnd,      // the end of the folder text; the record keeps its length
    FolderThen,     // the folder text followed by the text of another cell
    FolderThenKept, // the folder text followed by a kept text
    Extension,      // the text after the last dot of another cell
    Letter,         // one byte, kept in the shape
    Stamp,          // a time stamp, kept by the record as a number
    Kilobytes,      // a size in kilobytes, kept by the record as a number
};

struct ShapedCell {
    CellForm form = CellForm::Empty;
    char letter = 0;             // Letter: the cell's byte
    std::uint16_t source = 0;    // FolderThen, Extension: the column they build on, a Kept one
    std::uint16_t keptIndex = 0; // the number of kept texts before this cell's column
};

// The forms of a row's cells, in column order. Rows alike in shape (most rows of a listing)
// share one, so a record names its shape by number and keeps only what differs from row to row.
using RowShape = std::vector<ShapedCell>;

// The shapes of a table's rows, each kept once.
class RowShapes {
public:
    // Beyond this many, rows keep every cell as written rather than take a new shape.
    static constexpr std::size_t capacity = 4096;
    // Rows of more cells keep every cell as written.
    static constexpr std::size_t widest = 64;

    // The number of the shape of cells (from 1), added when new; 0 when there is no room.
    // Fills in the cells' kept indexes.
    std::uint32_t numberOf(std::span<ShapedCell> cells);
    const RowShape& shape(std::uint32_t number) const { return m_shapes[number - 1]; }
    void clear();

private:
    void remember(std::uint32_t number);

    std::vector<RowShape> m_shapes;
    std::unordered_map<std::string, std::uint32_t> m_numbers;
    std::string m_key;
    std::string m_lastKey;
    std::uint32_t m_lastNumber = 0;
};

} // namespace quiverel
