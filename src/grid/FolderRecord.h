#pragma once

#include "grid/RowRecord.h"
#include "grid/RowShape.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quiverel {

// A row's record in the grid's row table. Most cells of a listed row can be told from a few
// others: the folder text is shared with the other rows of its folder (they come one after the
// other), the full path is the folder text and the name, the extension is the name's end, the
// time stamp and the size are numbers. The record names its folder text and its shape (see
// RowShape) by number, keeps the numbers some forms need, and packs the texts it must keep into
// a RowRecord. A cell of no such form keeps its text as written.
//
// The record: the folder text's number plus one (0: none); the shape's number (0: every cell
// kept as written); the forms' numbers in column order; then the RowRecord of the kept texts.
class FolderRecordWriter {
public:
    // The folder text of a row's cells: its longest cell up to its last path separator, when
    // long enough to be worth sharing; else empty.
    static std::string_view folderText(std::span<const std::string_view> cells);

    // Lays out the record of cells leaning on folder (folderNumber is its number; no folder
    // text when empty). Returns its size in bytes.
    std::size_t plan(std::span<const std::string_view> cells, std::uint32_t folderNumber,
                     std::string_view folder);
    // Writes the record planned last into out, which has room for its size.
    void write(char* out) const;

    // The shapes of the records written; they stay until cleared.
    const RowShapes& shapes() const { return m_shapes; }
    void clearShapes() { m_shapes.clear(); }

private:
    void shapeCells(std::span<const std::string_view> cells, std::string_view folder);
    void shareWithinRow(std::span<const std::string_view> cells, std::size_t folderSize);

    RowShapes m_shapes;
    RowRecordWriter m_keptWriter;
    std::vector<ShapedCell> m_forms;
    std::vector<std::uint64_t> m_numbers; // by column, for the forms that keep one
    std::vector<std::string_view> m_kept;
    std::uint64_t m_reference = 0;
    std::uint32_t m_shape = 0;
    std::size_t m_headBytes = 0;
};

namespace folderrecord {

// The folder text's number plus one; 0 for a record without one.
std::uint64_t reference(const char* record);
// The record's size in bytes.
std::size_t size(const char* record, const RowShapes& shapes);
// The number of cells stored (trailing empty cells are not).
std::size_t cellCount(const char* record, const RowShapes& shapes);
// The text of cell col, given the table's folder texts and shapes; a cell that must be put
// together is put together in composed.
std::string_view cell(const char* record, std::size_t col,
                      std::span<const std::string_view> folders, const RowShapes& shapes,
                      std::string& composed);
// Every stored cell in column order; composed holds the cells put together.
void cells(const char* record, std::span<const std::string_view> folders, const RowShapes& shapes,
           std::vector<std::string_view>& out, std::vector<std::string>& composed);
// Writes the record with another folder number into out, which has room for the size
// renumberedSize gives; returns that size.
std::size_t renumberedSize(const char* record, const RowShapes& shapes, std::uint64_t reference);
void renumber(const char* record, const RowShapes& shapes, std::uint64_t reference, char* out);

} // namespace folderrecord

} // namespace quiverel
