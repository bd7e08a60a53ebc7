#pragma once

#include "grid/FolderRecord.h"
#include "kit/ChunkArena.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quiverel {

// The cell texts of the grid's rows, stored compactly for a million rows and more.
//
// Each row is one packed record in a large shared arena (see FolderRecord), reached through a
// sixteen-byte slot that also holds a short text of column 0 (the running number) in place, so
// numbering the rows never repacks them. Rows of one folder written one after the other share
// its folder text, kept once in the arena: a million rows with long paths keep little more than
// their file names. The row being written keeps its cells in a plain
// buffer until another row is written, and is packed then: rows written cell by cell, one after
// the other, are packed once each. Writing to a row packed earlier unpacks it into that buffer
// again; the space its old record took is reclaimed once such leftovers outweigh the rows.
//
// A text read from the table stays valid until the table is next changed or a cell of another
// row is read (a path, a time stamp or a size is put together for the row read).
// Reading keeps the cells of the row read last, so a table is read from one thread at a time.
class RowTable {
public:
    std::size_t rows() const { return m_slots.size(); }
    // Smaller discards the rows from the new count on; larger appends empty rows.
    void resize(std::size_t rows);
    std::string_view cell(std::size_t row, std::size_t col) const;
    void setCell(std::size_t row, std::size_t col, std::string_view text);
    // Discards every cell from column cols on (cols is 1 or more).
    void truncateColumns(std::size_t cols);
    // Empties every cell; the row count stays.
    void clearCells();

private:
    // The sort (RowSort.cpp) reorders the slots.
    friend class RowOrder;

    // Column 0 text of up to seven bytes, kept in the slot itself.
    class ShortCell {
    public:
        static constexpr std::size_t capacity = 7;
        bool inPlace() const { return m_bytes[0] != inRecord; }
        std::string_view text() const {
            return {m_bytes.data() + 1, static_cast<std::size_t>(m_bytes[0])};
        }
        void setText(std::string_view text);
        // The text is longer and kept in the row's record instead.
        void moveToRecord() { m_bytes[0] = inRecord; }

    private:
        static constexpr char inRecord = 0x7F;
        std::array<char, 8> m_bytes{};
    };

    struct Slot {
        const char* record = nullptr; // nullptr: no cell beyond a short column 0 text
        ShortCell number;
    };

    // The text of cell col of a packed row, put together in composed when it must be: for
    // settled slots, and safe to call from several threads at once, each with its own composed.
    std::string_view cellOf(const Slot& slot, std::size_t col, std::string& composed) const;

    // Every row packed into its slot; the slots may be reordered, and cell() reads rows by
    // their slot's position.
    std::span<Slot> settledSlots();

    void open(std::size_t row);
    void seal();
    void forget(const char* record);
    void forgetReads();
    void reclaimIfWasteful();
    std::uint32_t folderNumber(std::string_view folder);

    static constexpr std::size_t noRow = static_cast<std::size_t>(-1);

    std::vector<Slot> m_slots;
    ChunkArena m_arena;
    std::size_t m_liveBytes = 0; // arena bytes of the records the slots point to, folder texts
    std::vector<std::string_view> m_folders; // the folder texts, in the arena
    FolderRecordWriter m_writer;
    std::size_t m_openRow = noRow;
    std::vector<std::string> m_openCells;
    std::size_t m_openCount = 0;
    std::string m_incoming;
    std::vector<std::string_view> m_views;
    // The record whose cells were unpacked last.
    mutable const char* m_unpacked = nullptr;
    mutable std::vector<std::string_view> m_unpackedCells;
    mutable std::vector<std::string> m_composedCells;
};

} // namespace quiverel
