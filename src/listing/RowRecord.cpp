#include "listing/RowRecord.h"

#include "listing/Varint.h"

#include <algorithm>
#include <cstring>

namespace quiverel {
namespace {

// Cells are looked for only inside the longest few cells of a row, and searched for anywhere
// inside them only when long enough to be worth it; shorter ones only at the start or the end.
constexpr std::size_t hostsSearched = 4;
constexpr std::size_t leastSearchedLength = 8;

constexpr std::uint64_t sharedFlag = 1;

// Where text stands inside host, or npos.
std::size_t positionIn(std::string_view host, std::string_view text) {
    if (text.size() > host.size()) {
        return std::string_view::npos;
    }
    if (host.starts_with(text)) {
        return 0;
    }
    if (host.ends_with(text)) {
        return host.size() - text.size();
    }
    return text.size() >= leastSearchedLength ? host.find(text) : std::string_view::npos;
}

// Walks the cell descriptors of a record, calling visit(col, offset, length) with the offset of
// the cell's bytes in the byte area. Returns the start of the byte area.
template <typename Visit> const char* walkCells(const char* record, Visit visit) {
    std::uint64_t count = 0;
    const char* in = varint::read(record, count);
    std::size_t ownBytes = 0;
    for (std::size_t col = 0; col < count; ++col) {
        std::uint64_t descriptor = 0;
        in = varint::read(in, descriptor);
        const std::size_t length = descriptor >> 1;
        if ((descriptor & sharedFlag) != 0) {
            std::uint64_t offset = 0;
            in = varint::read(in, offset);
            visit(col, offset, length);
        } else {
            visit(col, ownBytes, length);
            ownBytes += length;
        }
    }
    return in;
}

} // namespace

std::size_t RowRecordWriter::plan(std::span<const std::string_view> cells) {
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
    std::size_t ownBytes = 0;
    std::size_t headerBytes = varint::sizeOf(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (m_placements[i].host == i) {
            m_areaOffsets[i] = ownBytes;
            ownBytes += cells[i].size();
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        const Placement& placement = m_placements[i];
        headerBytes += varint::sizeOf(std::uint64_t{cells[i].size()} << 1);
        if (placement.host != i) {
            headerBytes += varint::sizeOf(m_areaOffsets[placement.host] + placement.position);
        }
    }
    m_size = headerBytes + ownBytes;
    return m_size;
}

void RowRecordWriter::write(char* out) const {
    const std::size_t count = m_cells.size();
    out = varint::write(out, count);
    for (std::size_t i = 0; i < count; ++i) {
        const Placement& placement = m_placements[i];
        const std::uint64_t length = m_cells[i].size();
        if (placement.host == i) {
            out = varint::write(out, length << 1);
        } else {
            out = varint::write(out, (length << 1) | sharedFlag);
            out = varint::write(out, m_areaOffsets[placement.host] + placement.position);
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
    std::uint64_t count = 0;
    varint::read(record, count);
    return count;
}

std::string_view cell(const char* record, std::size_t col) {
    std::size_t offset = 0;
    std::size_t length = 0;
    const char* area = walkCells(record, [&](std::size_t c, std::size_t o, std::size_t l) {
        if (c == col) {
            offset = o;
            length = l;
        }
    });
    return {area + offset, length};
}

void cells(const char* record, std::vector<std::string_view>& out) {
    out.clear();
    const char* area = walkCells(record, [](std::size_t, std::size_t, std::size_t) {});
    walkCells(record, [&](std::size_t, std::size_t offset, std::size_t length) {
        out.emplace_back(area + offset, length);
    });
}

std::size_t size(const char* record) {
    std::size_t end = 0;
    const char* area = walkCells(record, [&](std::size_t, std::size_t offset, std::size_t length) {
        end = std::max(end, offset + length);
    });
    return static_cast<std::size_t>(area - record) + end;
}

} // namespace rowrecord

} // namespace quiverel
