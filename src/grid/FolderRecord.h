#pragma once

#include "grid/RowRecord.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quiverel {

// A row's record in the grid's row table: a RowRecord whose cells may lean on a folder text
// shared with other rows (the rows of one folder come one after the other). A cell that starts
// with the folder text keeps only the rest; a cell that is the folder text's end (the folder
// cell, whole or trimmed) keeps nothing but its length. The record names its folder text by
// number; the table keeps the texts.
//
// The record: the folder text's number plus one (0: none); with one, a bit mask of the cells
// that start with it, one of the cells at its end and the lengths of the latter in column
// order; then the RowRecord of the cells with those parts taken out.
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

private:
    RowRecordWriter m_cells;
    std::vector<std::string_view> m_rest;
    std::uint64_t m_reference = 0;
    std::uint64_t m_startsWith = 0;
    std::uint64_t m_endOf = 0;
    std::vector<std::uint64_t> m_endLengths;
    std::size_t m_headBytes = 0;
};

namespace folderrecord {

// The folder text's number plus one; 0 for a record without one.
std::uint64_t reference(const char* record);
// The record's size in bytes.
std::size_t size(const char* record);
// The number of cells stored (trailing empty cells are not).
std::size_t cellCount(const char* record);
// The text of cell col, given the table's folder texts; a cell that must be put together from
// the folder text and its rest is put together in composed.
std::string_view cell(const char* record, std::size_t col,
                      std::span<const std::string_view> folders, std::string& composed);
// Every stored cell in column order; composed holds the cells put together.
void cells(const char* record, std::span<const std::string_view> folders,
           std::vector<std::string_view>& out, std::vector<std::string>& composed);
// Writes the record with another folder number into out, which has room for the size
// renumberedSize gives; returns that size.
std::size_t renumberedSize(const char* record, std::uint64_t reference);
void renumber(const char* record, std::uint64_t reference, char* out);

} // namespace folderrecord

} // namespace quiverel
