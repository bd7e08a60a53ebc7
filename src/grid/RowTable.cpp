#include "grid/RowTable.h"

#include <algorithm>
#include <cstring>

namespace quiverel {

void RowTable::ShortCell::setText(std::string_view text) {
    m_bytes[0] = static_cast<char>(text.size());
    std::memmove(m_bytes.data() + 1, text.data(), text.size());
}

std::string_view RowTable::cellOf(const Slot& slot, std::size_t col, std::string& composed) const {
    if (col == 0 && slot.number.inPlace()) {
        return slot.number.text();
    }
    return slot.record == nullptr
               ? std::string_view()
               : folderrecord::cell(slot.record, col, m_folders, m_writer.shapes(), composed);
}

std::string_view RowTable::cell(std::size_t row, std::size_t col) const {
    const Slot& slot = m_slots[row];
    if (col == 0 && slot.number.inPlace()) {
        return slot.number.text();
    }
    if (row == m_openRow) {
        return col < m_openCount ? std::string_view(m_openCells[col]) : std::string_view();
    }
    if (slot.record == nullptr) {
        return {};
    }
    // Rows are mostly read cell after cell, so a row is unpacked whole at its first cell read.
    if (slot.record != m_unpacked) {
        folderrecord::cells(slot.record, m_folders, m_writer.shapes(), m_unpackedCells,
                            m_composedCells);
        m_unpacked = slot.record;
    }
    return col < m_unpackedCells.size() ? m_unpackedCells[col] : std::string_view();
}

void RowTable::setCell(std::size_t row, std::size_t col, std::string_view text) {
    Slot& slot = m_slots[row];
    if (col == 0 && text.size() <= ShortCell::capacity) {
        slot.number.setText(text);
        if (row == m_openRow && m_openCount > 0) {
            m_openCells[0].clear();
        }
        return;
    }
    const bool reopened = row != m_openRow;
    if (reopened || col >= m_openCells.size()) {
        // The text may be one of the cells about to be unpacked or moved.
        m_incoming.assign(text);
        text = m_incoming;
    }
    if (reopened) {
        open(row);
    }
    if (col >= m_openCells.size()) {
        m_openCells.resize(col + 1);
    }
    for (; m_openCount <= col; ++m_openCount) {
        m_openCells[m_openCount].clear();
    }
    if (col == 0) {
        slot.number.moveToRecord();
    }
    m_openCells[col].assign(text);
    if (reopened) {
        reclaimIfWasteful();
    }
}

void RowTable::open(std::size_t row) {
    seal();
    Slot& slot = m_slots[row];
    m_openCount = 0;
    if (slot.record != nullptr) {
        // The cells put together for reading are put together afresh here.
        forgetReads();
        folderrecord::cells(slot.record, m_folders, m_writer.shapes(), m_views, m_composedCells);
        if (m_openCells.size() < m_views.size()) {
            m_openCells.resize(m_views.size());
        }
        for (const std::string_view text : m_views) {
            m_openCells[m_openCount++].assign(text);
        }
        forget(slot.record);
        slot.record = nullptr;
    }
    if (slot.number.inPlace() && m_openCount > 0) {
        m_openCells[0].clear(); // a longer text column 0 once had
    }
    m_openRow = row;
}

void RowTable::seal() {
    if (m_openRow == noRow) {
        return;
    }
    std::size_t count = m_openCount;
    while (count > 0 && m_openCells[count - 1].empty()) {
        --count;
    }
    const char* record = nullptr;
    if (count > 0) {
        m_views.assign(m_openCells.begin(),
                       m_openCells.begin() + static_cast<std::ptrdiff_t>(count));
        const std::string_view folder = FolderRecordWriter::folderText(m_views);
        const std::uint32_t number = folder.empty() ? 0 : folderNumber(folder);
        const std::size_t size =
            m_writer.plan(m_views, number, folder.empty() ? folder : m_folders[number]);
        char* room = m_arena.allocate(size);
        m_writer.write(room);
        m_liveBytes += size;
        record = room;
    }
    m_slots[m_openRow].record = record;
    m_openRow = noRow;
    m_openCount = 0;
}

// Records are only ever placed where another was once the arena has been packed afresh or
// cleared; what was read before then must not be mistaken for them.
void RowTable::forgetReads() {
    m_unpacked = nullptr;
}

void RowTable::forget(const char* record) {
    m_liveBytes -= folderrecord::size(record, m_writer.shapes());
}

// The number of the folder text of a row: the one kept last when the same, else a new one.
std::uint32_t RowTable::folderNumber(std::string_view folder) {
    if (m_folders.empty() || m_folders.back() != folder) {
        char* room = m_arena.allocate(folder.size());
        std::memcpy(room, folder.data(), folder.size());
        m_folders.emplace_back(room, folder.size());
        m_liveBytes += folder.size();
    }
    return static_cast<std::uint32_t>(m_folders.size() - 1);
}

// Packs the live records, and the folder texts they still use, afresh once the space of
// discarded ones outweighs them.
void RowTable::reclaimIfWasteful() {
    const std::size_t waste = m_arena.allocated() - m_liveBytes;
    if (waste < ChunkArena::chunkSize || waste < m_liveBytes) {
        return;
    }
    ChunkArena packed;
    std::vector<std::string_view> folders;
    std::vector<std::uint32_t> references(m_folders.size(), 0); // 0: not kept yet
    std::size_t live = 0;
    for (Slot& slot : m_slots) {
        if (slot.record == nullptr) {
            continue;
        }
        std::uint64_t reference = folderrecord::reference(slot.record);
        if (reference != 0) {
            std::uint32_t& kept = references[reference - 1];
            if (kept == 0) {
                const std::string_view folder = m_folders[reference - 1];
                char* room = packed.allocate(folder.size());
                std::memcpy(room, folder.data(), folder.size());
                folders.emplace_back(room, folder.size());
                live += folder.size();
                kept = static_cast<std::uint32_t>(folders.size());
            }
            reference = kept;
        }
        const std::size_t size =
            folderrecord::renumberedSize(slot.record, m_writer.shapes(), reference);
        char* room = packed.allocate(size);
        folderrecord::renumber(slot.record, m_writer.shapes(), reference, room);
        slot.record = room;
        live += size;
    }
    m_arena = std::move(packed);
    m_folders = std::move(folders);
    m_liveBytes = live;
    forgetReads();
}

void RowTable::resize(std::size_t rows) {
    if (rows >= m_slots.size()) {
        m_slots.resize(rows);
        return;
    }
    if (m_openRow != noRow && m_openRow >= rows) {
        m_openRow = noRow;
        m_openCount = 0;
    }
    if (rows < m_slots.size() - rows) {
        // Fewer rows stay than go: count what stays, and every folder text.
        m_liveBytes = 0;
        for (const std::string_view folder : m_folders) {
            m_liveBytes += folder.size();
        }
        for (std::size_t row = 0; row < rows; ++row) {
            if (m_slots[row].record != nullptr) {
                m_liveBytes += folderrecord::size(m_slots[row].record, m_writer.shapes());
            }
        }
    } else {
        for (std::size_t row = rows; row < m_slots.size(); ++row) {
            if (m_slots[row].record != nullptr) {
                forget(m_slots[row].record);
            }
        }
    }
    m_slots.resize(rows);
    if (m_slots.size() < m_slots.capacity() / 4) {
        m_slots.shrink_to_fit();
    }
    reclaimIfWasteful();
}

void RowTable::truncateColumns(std::size_t cols) {
    seal();
    for (std::size_t row = 0; row < m_slots.size(); ++row) {
        const char* record = m_slots[row].record;
        if (record != nullptr && folderrecord::cellCount(record, m_writer.shapes()) > cols) {
            open(row);
            m_openCount = std::min(m_openCount, cols);
        }
    }
    seal();
    reclaimIfWasteful();
}

void RowTable::clearCells() {
    std::fill(m_slots.begin(), m_slots.end(), Slot{});
    m_arena.clear();
    m_folders.clear();
    m_writer.clearShapes();
    forgetReads();
    m_liveBytes = 0;
    m_openRow = noRow;
    m_openCount = 0;
}

std::span<RowTable::Slot> RowTable::settledSlots() {
    seal();
    return m_slots;
}

} // namespace quiverel
