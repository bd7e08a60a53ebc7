#include "listing/PackedRow.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace quiverel {
namespace {

using Offset = std::uint32_t;

Offset readOffset(const char* at) {
    Offset value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

void writeOffset(char* at, std::size_t value) {
    const auto offset = static_cast<Offset>(value);
    std::memcpy(at, &offset, sizeof offset);
}

// The count and the end offset of each cell come before the bytes.
std::size_t headerSize(std::size_t count) {
    return (count + 1) * sizeof(Offset);
}

} // namespace

std::size_t PackedRow::cellCount() const {
    return m_data ? readOffset(m_data.get()) : 0;
}

std::size_t PackedRow::cellEnd(std::size_t col) const {
    return readOffset(m_data.get() + (col + 1) * sizeof(Offset));
}

const char* PackedRow::bytes() const {
    return m_data.get() + headerSize(cellCount());
}

std::string_view PackedRow::cell(std::size_t col) const {
    if (col >= cellCount()) {
        return {};
    }
    const std::size_t begin = col == 0 ? 0 : cellEnd(col - 1);
    return {bytes() + begin, cellEnd(col) - begin};
}

// Packs the cells 0..count-1 that cellAt yields, leaving out trailing empty ones. The new buffer
// is complete before the old one goes, so cellAt may hand out views into this row.
template <typename CellSource> void PackedRow::rebuild(std::size_t count, CellSource cellAt) {
    while (count > 0 && cellAt(count - 1).empty()) {
        --count;
    }
    if (count == 0) {
        m_data.reset();
        return;
    }
    std::size_t total = 0;
    for (std::size_t i = 0; i < count; ++i) {
        total += cellAt(i).size();
    }
    if (total > std::numeric_limits<Offset>::max()) {
        throw std::length_error("row text too long");
    }
    auto data = std::make_unique_for_overwrite<char[]>(headerSize(count) + total);
    writeOffset(data.get(), count);
    char* out = data.get() + headerSize(count);
    std::size_t end = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view text = cellAt(i);
        // An empty cell's view may hold no pointer at all, which memcpy must not be given.
        if (!text.empty()) {
            std::memcpy(out + end, text.data(), text.size());
        }
        end += text.size();
        writeOffset(data.get() + (i + 1) * sizeof(Offset), end);
    }
    m_data = std::move(data);
}

void PackedRow::setCell(std::size_t col, std::string_view text) {
    const std::size_t count = cellCount();
    if (text.empty() && col >= count) {
        return;
    }
    rebuild(std::max(count, col + 1), [&](std::size_t i) { return i == col ? text : cell(i); });
}

void PackedRow::truncate(std::size_t cols) {
    const std::size_t count = cellCount();
    if (count > cols) {
        rebuild(cols, [&](std::size_t i) { return cell(i); });
    }
}

} // namespace quiverel
