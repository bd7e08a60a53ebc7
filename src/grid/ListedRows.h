#pragma once

#include "grid/RowRecord.h"
#include "kit/ChunkArena.h"
#include "listing/RowTexts.h"

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quiverel {

// The rows of a listing in a compact row table, for a front end without a grid: row i holds
// the running number in cell 0 and the row's texts in cells 1 to 7; with keepFacts, also the
// facts of its file, which go along when the rows are sorted.
//
// The rows of one folder come one after the other and share that folder's texts: the folder
// cell and the full path up to the file's name are kept once for them all, and each row keeps
// only its own texts (see RowRecord), so a million rows with long paths need little room.
class ListedRows : public RowSink {
public:
    explicit ListedRows(bool keepFacts = false) : m_keepFacts(keepFacts) {}

    void begin() override;
    void addRow(const RowTexts& row) override;
    void addFile(const RowTexts& row, const RowFacts& facts) override;

    // Orders the rows by file name, ASCII letters folded, equal names in the order found, and
    // numbers them 1, 2, 3 ... With whileSorting, the order is worked out aside while this
    // thread calls it every few milliseconds.
    void sortAndNumber(const std::function<void()>& whileSorting = {});

    std::size_t rows() const { return m_rows.size(); }
    // A text read stays valid until a cell of another row is read or the rows change; the store
    // is read from one thread at a time.
    std::string_view cell(std::size_t row, std::size_t col) const;
    // The facts of the row's file, when kept; its texts stay valid until the rows change.
    RowFacts facts(std::size_t row) const;

private:
    // The texts the rows of one folder share.
    struct Folder {
        std::string_view pathFolder; // the full path up to and with its last separator
        std::string_view folder;     // the folder cell
    };

    void add(const RowTexts& row, const RowFacts* facts);
    std::uint32_t folderOf(std::string_view pathFolder, std::string_view folder);
    std::string_view keptText(std::string_view text);
    void read(std::size_t row) const;

    bool m_keepFacts;
    ChunkArena m_arena;
    std::vector<Folder> m_folders;
    std::vector<const char*> m_rows; // each row's record: its folder's number, then its cells
    RowRecordWriter m_writer;
    bool m_numbered = false;

    // The row read last, its cells unpacked.
    mutable std::size_t m_readRow = static_cast<std::size_t>(-1);
    mutable std::array<std::string_view, listedColumn::count> m_readCells;
    mutable std::vector<std::string_view> m_recordCells;
    mutable std::string m_fullPath;
    mutable std::array<char, 24> m_number{};
};

} // namespace quiverel
