#include "grid/RowRecord.h"

#include "kit/Varint.h"

#include <cstring>

namespace quiverel {
namespace {

// Cells are looked for only inside the longest few cells of a row, and searched for anywhere
// inside them only when long enough to be worth it; shorter ones only at the start or the end.
constexpr std::size_t hostsSearched = 4;
constexpr std::size_t leastSearchedLength = 8;

// The record starts with the cell count, shifted, and this flag when the count leaves out an
// empty column 0 (the running number is mostly kept beside the record).
constexpr std::uint64_t firstColumnLeftOut = 1;
// Each cell's descriptor is its length, shifted, and this flag when the cell keeps no bytes of
// its own; such a cell's descriptor is followed by the distance from its end to the end of the
// byte area (a name or extension at the end of a full path is at distance 0).
constexpr std::uint64_t sharedFlag = 1;

// Where text stands inside host, or npos.
std::size_t positionIn(std::string_view host, std::string_view text) {
    if (text.size() > host.size()) {
        return std::string_view::npos;
    }
    if (host.ends_with(text)) {
        return host.size() - text.size();
    }
    if (host.starts_with(text)) {
        return 0;
    }
    return text.size() >= leastSearchedLength ? host.find(text) : std::string_view::npos;
}

struct StoredCell {
    bool shared;
    std::size_t place; // own cells: offset from the area's start; shared: distance from its end
    std::size_t length;
};

// Walks the record's cells, calling visit(col, cell) for each stored one. Returns the start of
// the byte area; ownBytes receives its size.
template <typename Visit>
const char* walkCells(const char* record, std::size_t& ownBytes, Visit visit) {
    std::uint64_t header = 0;
    const char* in = varint::read(record, header);
    const std::size_t firstCol = (header & firstColumnLeftOut) != 0 ? 1 : 0;
    const std::size_t count = header >> 1;
    ownBytes = 0;
    for (std::size_t i = 0; i < count; ++i) {
        std::uint64_t descriptor = 0;
        in = varint::read(in, descriptor);
        StoredCell cell{(descriptor & sharedFlag) != 0, ownBytes, descriptor >> 1};
        if (cell.shared) {
            std::uint64_t distance = 0;
            in = varint::read(in, distance);
            cell.place = distance;
        } else {
            ownBytes += cell.length;
        }
        visit(firstCol + i, cell);
    }
    return in;
}

std::string_view textOf(const char* area, std::size_t ownBytes, const StoredCell& cell) {
    const std::size_t offset = cell.shared ? ownBytes - cell.place - cell.length : cell.place;
    return {area + offset, cell.length};
}

} // namespace

std::size_t RowRecordWriter::plan(std::span<const std::string_view> cells) {
    m_firstCol = !cells.empty() && cells.front().empty() ? 1 : 0;
    m_cells = cells;
    const std::size_t count = cells.size();
    m_placements.resize(count);
    m_longestFirst.clear();
    for (std::uint32_t i = 0; i < count; ++i) {
        m_placements[i] = {i, 0};
        if (cells[i].empty()) {
            continue;
        }
        // Insertion keeps cells of equal length in column order.
        auto at = m_longestFirst.end();
        while (at != m_longestFirst.begin() && cells[*(at - 1)].size() < cells[i].size()) {
            --at;
        }
        m_longestFirst.insert(at, i);
    }

    m_hosts.clear();
    for (const std::uint32_t i : m_longestFirst) {
        bool shared = false;
        for (std::size_t h = 0; h < m_hosts.size() && h < hostsSearched && !shared; ++h) {
            const std::size_t position = positionIn(cells[m_hosts[h]], cells[i]);
            if (position != std::string_view::npos) {
                m_placements[i] = {m_hosts[h], position};
                shared = true;
            }
        }
        if (!shared) {
            m_hosts.push_back(i);
        }
    }

    m_areaOffsets.resize(count);
    m_ownBytes = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (m_placements[i].host == i) {
            m_areaOffsets[i] = m_ownBytes;
            m_ownBytes += cells[i].size();
        }
    }
    std::size_t headerBytes = varint::sizeOf((count - m_firstCol) << 1);
    for (std::size_t i = m_firstCol; i < count; ++i) {
        headerBytes += varint::sizeOf(std::uint64_t{cells[i].size()} << 1);
        if (m_placements[i].host != i) {
            headerBytes += varint::sizeOf(distanceToEnd(i));
        }
    }
    return headerBytes + m_ownBytes;
}

std::size_t RowRecordWriter::distanceToEnd(std::size_t cell) const {
    const Placement& placement = m_placements[cell];
    return m_ownBytes - m_areaOffsets[placement.host] - placement.position - m_cells[cell].size();
}

void RowRecordWriter::write(char* out) const {
    const std::size_t count = m_cells.size();
    out = varint::write(out,
                        ((count - m_firstCol) << 1) | (m_firstCol != 0 ? firstColumnLeftOut : 0));
    for (std::size_t i = m_firstCol; i < count; ++i) {
        const std::uint64_t length = m_cells[i].size();
        if (m_placements[i].host == i) {
            out = varint::write(out, length << 1);
        } else {
            out = varint::write(out, (length << 1) | sharedFlag);
            out = varint::write(out, distanceToEnd(i));
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (m_placements[i].host == i && !m_cells[i].empty()) {
            std::memcpy(out, m_cells[i].data(), m_cells[i].size());
            out += m_cells[i].size();
        }
    }
}

namespace rowrecord {

std::size_t cellCount(const char* record) {
    std::uint64_t header = 0;
    varint::read(record, header);
    return (header >> 1) + ((header & firstColumnLeftOut) != 0 ? 1 : 0);
}

std::string_view cell(const char* record, std::size_t col) {
    StoredCell found{false, 0, 0};
    std::size_t ownBytes = 0;
    const char* area = walkCells(record, ownBytes, [&](std::size_t c, const StoredCell& cell) {
        if (c == col) {
            found = cell;
        }
    });
    return textOf(area, ownBytes, found);
}

void cells(const char* record, std::vector<std::string_view>& out) {
    std::size_t ownBytes = 0;
    const char* area = walkCells(record, ownBytes, [](std::size_t, const StoredCell&) {});
    out.assign(cellCount(record), std::string_view());
    std::size_t walked = 0;
    walkCells(record, walked, [&](std::size_t col, const StoredCell& cell) {
        out[col] = textOf(area, ownBytes, cell);
    });
}

std::size_t size(const char* record) {
    std::size_t ownBytes = 0;
    const char* area = walkCells(record, ownBytes, [](std::size_t, const StoredCell&) {});
    return static_cast<std::size_t>(area - record) + ownBytes;
}

} // namespace rowrecord

} // namespace quiverel
