#include "grid/FolderRecord.h"

#include "kit/Varint.h"
#include "listing/PathText.h"

#include <bit>
#include <cstring>

namespace quiverel {
namespace {

// A shorter folder text costs more to refer to than it saves.
constexpr std::size_t leastFolderText = 16;
// Cells beyond the bit masks keep their texts whole.
constexpr std::size_t maskedCols = 64;

struct Head {
    std::uint64_t reference = 0;
    std::uint64_t startsWith = 0;
    std::uint64_t endOf = 0;
    const char* endLengths = nullptr;
    const char* cells = nullptr; // the RowRecord
};

Head headOf(const char* record) {
    Head head;
    const char* in = varint::read(record, head.reference);
    if (head.reference != 0) {
        in = varint::read(in, head.startsWith);
        in = varint::read(in, head.endOf);
        head.endLengths = in;
        for (int k = std::popcount(head.endOf); k > 0; --k) {
            std::uint64_t length = 0;
            in = varint::read(in, length);
        }
    }
    head.cells = in;
    return head;
}

bool bitOf(std::uint64_t mask, std::size_t col) {
    return col < maskedCols && ((mask >> col) & 1) != 0;
}

// The length of the cell at the folder text's end in column col.
std::size_t endLength(const Head& head, std::size_t col) {
    const char* in = head.endLengths;
    std::uint64_t length = 0;
    for (int k = std::popcount(head.endOf & ((std::uint64_t{1} << col) - 1)); k >= 0; --k) {
        in = varint::read(in, length);
    }
    return length;
}

std::string_view folderOf(const Head& head, std::span<const std::string_view> folders) {
    return head.reference == 0 ? std::string_view() : folders[head.reference - 1];
}

std::string_view joined(std::string_view folder, std::string_view rest, std::string& composed) {
    composed.assign(folder);
    composed.append(rest);
    return composed;
}

} // namespace

std::string_view FolderRecordWriter::folderText(std::span<const std::string_view> cells) {
    std::string_view longest;
    for (const std::string_view cell : cells) {
        if (cell.size() > longest.size()) {
            longest = cell;
        }
    }
    const std::size_t separator = longest.rfind(pathSeparator);
    if (separator == std::string_view::npos || separator + 1 < leastFolderText) {
        return {};
    }
    return longest.substr(0, separator + 1);
}

std::size_t FolderRecordWriter::plan(std::span<const std::string_view> cells,
                                     std::uint32_t folderNumber, std::string_view folder) {
    m_rest.assign(cells.begin(), cells.end());
    m_startsWith = 0;
    m_endOf = 0;
    m_endLengths.clear();
    if (!folder.empty()) {
        for (std::size_t col = 0; col < m_rest.size() && col < maskedCols; ++col) {
            const std::string_view cell = m_rest[col];
            if (cell.empty()) {
                continue;
            }
            if (folder.ends_with(cell)) {
                m_endOf |= std::uint64_t{1} << col;
                m_endLengths.push_back(cell.size());
                m_rest[col] = {};
            } else if (cell.starts_with(folder)) {
                m_startsWith |= std::uint64_t{1} << col;
                m_rest[col] = cell.substr(folder.size());
            }
        }
    }
    m_reference = (m_startsWith | m_endOf) == 0 ? 0 : std::uint64_t{folderNumber} + 1;
    while (!m_rest.empty() && m_rest.back().empty()) {
        m_rest.pop_back();
    }
    m_headBytes = varint::sizeOf(m_reference);
    if (m_reference != 0) {
        m_headBytes += varint::sizeOf(m_startsWith) + varint::sizeOf(m_endOf);
        for (const std::uint64_t length : m_endLengths) {
            m_headBytes += varint::sizeOf(length);
        }
    }
    return m_headBytes + m_cells.plan(m_rest);
}

void FolderRecordWriter::write(char* out) const {
    out = varint::write(out, m_reference);
    if (m_reference != 0) {
        out = varint::write(out, m_startsWith);
        out = varint::write(out, m_endOf);
        for (const std::uint64_t length : m_endLengths) {
            out = varint::write(out, length);
        }
    }
    m_cells.write(out);
}

namespace folderrecord {

std::uint64_t reference(const char* record) {
    std::uint64_t value = 0;
    varint::read(record, value);
    return value;
}

std::size_t size(const char* record) {
    const Head head = headOf(record);
    return static_cast<std::size_t>(head.cells - record) + rowrecord::size(head.cells);
}

std::size_t cellCount(const char* record) {
    const Head head = headOf(record);
    const std::uint64_t leaning = head.startsWith | head.endOf;
    const std::size_t masked = leaning == 0 ? 0 : maskedCols - std::countl_zero(leaning);
    return std::max(masked, rowrecord::cellCount(head.cells));
}

std::string_view cell(const char* record, std::size_t col,
                      std::span<const std::string_view> folders, std::string& composed) {
    const Head head = headOf(record);
    if (bitOf(head.endOf, col)) {
        const std::string_view folder = folderOf(head, folders);
        return folder.substr(folder.size() - endLength(head, col));
    }
    const std::string_view rest = rowrecord::cell(head.cells, col);
    return bitOf(head.startsWith, col) ? joined(folderOf(head, folders), rest, composed) : rest;
}

void cells(const char* record, std::span<const std::string_view> folders,
           std::vector<std::string_view>& out, std::vector<std::string>& composed) {
    const Head head = headOf(record);
    rowrecord::cells(head.cells, out);
    if (head.reference == 0) {
        return;
    }
    const std::string_view folder = folderOf(head, folders);
    out.resize(cellCount(record));
    if (composed.size() < out.size()) {
        composed.resize(out.size());
    }
    const char* lengths = head.endLengths;
    for (std::size_t col = 0; col < out.size(); ++col) {
        if (bitOf(head.endOf, col)) {
            std::uint64_t length = 0;
            lengths = varint::read(lengths, length);
            out[col] = folder.substr(folder.size() - length);
        } else if (bitOf(head.startsWith, col)) {
            out[col] = joined(folder, out[col], composed[col]);
        }
    }
}

std::size_t renumberedSize(const char* record, std::uint64_t reference) {
    return size(record) - varint::sizeOf(folderrecord::reference(record)) +
           varint::sizeOf(reference);
}

void renumber(const char* record, std::uint64_t reference, char* out) {
    const std::size_t oldBytes = varint::sizeOf(folderrecord::reference(record));
    out = varint::write(out, reference);
    std::memcpy(out, record + oldBytes, size(record) - oldBytes);
}

} // namespace folderrecord

} // namespace quiverel
