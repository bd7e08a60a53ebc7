#include "grid/ListedRows.h"

#include "grid/PrefixSort.h"
#include "kit/Varint.h"
#include "listing/LetterCase.h"
#include "listing/PathText.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string>

namespace quiverel {
namespace {

// The cells of a row's record, after its folder's number.
namespace own {
constexpr std::size_t fileName = 0;
constexpr std::size_t size = 1;
constexpr std::size_t version = 2;
constexpr std::size_t stamp = 3;
constexpr std::size_t extension = 4;
constexpr std::size_t pathName = 5; // the full path after its folder: mostly the file name
// The file's facts, when kept, as decimal texts; an empty cell is a fact not known (or a text
// not given).
constexpr std::size_t sizeBytes = 6;
constexpr std::size_t modified = 7;
constexpr std::size_t versionNumbers = 8; // "major.minor.build.revision"
constexpr std::size_t nativePath = 9;
constexpr std::size_t digest = 10;
constexpr std::size_t count = 11;
} // namespace own

const char* recordCells(const char* record) {
    std::uint64_t folder = 0;
    return varint::read(record, folder);
}

// Sorted rows lie scattered over the arena; rows read one after the other are fetched ahead so
// that their memory has arrived by the time they are read: the record this many rows on, and
// the folder texts of the record half as many rows on (fetched itself by then).
constexpr std::size_t recordsAhead = 16;

std::string_view fileNameOf(const char* record) {
    return rowrecord::cell(recordCells(record), own::fileName);
}

template <typename Number> bool readNumber(std::string_view& text, Number& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return error == std::errc();
}

std::optional<VersionNumbers> versionOf(std::string_view text) {
    VersionNumbers version{};
    for (std::size_t k = 0; k < version.size(); ++k) {
        if (k > 0) {
            if (!text.starts_with('.')) {
                return std::nullopt;
            }
            text.remove_prefix(1);
        }
        if (!readNumber(text, version[k])) {
            return std::nullopt;
        }
    }
    return version;
}

} // namespace

void ListedRows::begin() {
    m_rows.clear();
    m_folders.clear();
    m_arena.clear();
    m_numbered = false;
    m_readRow = static_cast<std::size_t>(-1);
}

std::string_view ListedRows::keptText(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    char* room = m_arena.allocate(text.size());
    std::memcpy(room, text.data(), text.size());
    return {room, text.size()};
}

// The number of the folder texts of a row: those of the row before when the same, else new ones.
// A folder cell found at the end of the path's folder text (the whole of it, or what the trim
// leaves) is kept only there.
std::uint32_t ListedRows::folderOf(std::string_view pathFolder, std::string_view folder) {
    if (!m_folders.empty()) {
        const Folder& last = m_folders.back();
        if (last.pathFolder == pathFolder && last.folder == folder) {
            return static_cast<std::uint32_t>(m_folders.size() - 1);
        }
    }
    Folder kept;
    kept.pathFolder = keptText(pathFolder);
    kept.folder = kept.pathFolder.ends_with(folder)
                      ? kept.pathFolder.substr(kept.pathFolder.size() - folder.size())
                      : keptText(folder);
    m_folders.push_back(kept);
    return static_cast<std::uint32_t>(m_folders.size() - 1);
}

void ListedRows::addRow(const RowTexts& row) {
    add(row, nullptr);
}

void ListedRows::addFile(const RowTexts& row, const RowFacts& facts) {
    add(row, m_keepFacts ? &facts : nullptr);
}

void ListedRows::add(const RowTexts& row, const RowFacts* facts) {
    const std::string_view fullPath = row[cell::fullPath];
    const std::size_t separator = fullPath.rfind(pathSeparator);
    const std::size_t nameStart = separator == std::string_view::npos ? 0 : separator + 1;
    const std::uint32_t folder = folderOf(fullPath.substr(0, nameStart), row[cell::folder]);

    std::array<std::string_view, own::count> cells;
    cells[own::fileName] = row[cell::fileName];
    cells[own::size] = row[cell::size];
    cells[own::version] = row[cell::version];
    cells[own::stamp] = row[cell::stamp];
    cells[own::extension] = row[cell::extension];
    cells[own::pathName] = fullPath.substr(nameStart);
    std::string sizeBytes;
    std::string modified;
    std::string version;
    if (facts != nullptr) {
        sizeBytes = std::to_string(facts->sizeBytes);
        if (facts->modified) {
            modified = std::to_string(*facts->modified);
        }
        if (facts->version) {
            const VersionNumbers& v = *facts->version;
            version = std::to_string(v[0]) + "." + std::to_string(v[1]) + "." +
                      std::to_string(v[2]) + "." + std::to_string(v[3]);
        }
        cells[own::sizeBytes] = sizeBytes;
        cells[own::modified] = modified;
        cells[own::versionNumbers] = version;
        cells[own::nativePath] = facts->nativePath;
        cells[own::digest] = facts->digest;
    }
    // Empty cells at the end are not stored.
    std::size_t stored = cells.size();
    while (stored > 0 && cells[stored - 1].empty()) {
        --stored;
    }
    const std::size_t cellBytes = m_writer.plan(std::span(cells.data(), stored));
    char* record = m_arena.allocate(varint::sizeOf(folder) + cellBytes);
    m_writer.write(varint::write(record, folder));
    m_rows.push_back(record);
    m_readRow = static_cast<std::size_t>(-1);
}

RowFacts ListedRows::facts(std::size_t row) const {
    if (row != m_readRow) {
        read(row);
    }
    RowFacts facts;
    std::string_view size = m_recordCells[own::sizeBytes];
    readNumber(size, facts.sizeBytes);
    std::string_view modified = m_recordCells[own::modified];
    std::int64_t seconds = 0;
    if (readNumber(modified, seconds)) {
        facts.modified = seconds;
    }
    facts.version = versionOf(m_recordCells[own::versionNumbers]);
    facts.nativePath = m_recordCells[own::nativePath];
    facts.digest = m_recordCells[own::digest];
    return facts;
}

void ListedRows::sortAndNumber(const std::function<void()>& whileSorting) {
    const auto order = [this] {
        std::vector<SortEntry> entries;
        entries.reserve(m_rows.size());
        for (std::uint32_t i = 0; i < m_rows.size(); ++i) {
            entries.push_back(sortEntryFor(fileNameOf(m_rows[i]), i));
        }
        sortEntries(entries, [this](std::span<SortEntry> run) {
            if (!keyGoesOn(run.front())) {
                return; // the names are equal in full: the run is in order already
            }
            std::stable_sort(run.begin(), run.end(),
                             [this](const SortEntry& a, const SortEntry& b) {
                                 return compareFolded(fileNameOf(m_rows[a.index]),
                                                      fileNameOf(m_rows[b.index])) < 0;
                             });
        });
        // Each entry's memory takes its row's record, then the records go back in their order.
        for (SortEntry& entry : entries) {
            const char* record = m_rows[entry.index];
            std::memcpy(&entry, &record, sizeof record);
        }
        for (std::size_t i = 0; i < entries.size(); ++i) {
            std::memcpy(&m_rows[i], &entries[i], sizeof m_rows[i]);
        }
    };
    if (whileSorting && m_rows.size() > 1) {
        workAside(order, whileSorting);
    } else {
        order();
    }
    m_numbered = true;
    m_readRow = static_cast<std::size_t>(-1);
}

void ListedRows::read(std::size_t row) const {
    if (row + recordsAhead < m_rows.size()) {
        __builtin_prefetch(m_rows[row + recordsAhead]);
    }
    if (row + recordsAhead / 2 < m_rows.size()) {
        std::uint64_t ahead = 0;
        varint::read(m_rows[row + recordsAhead / 2], ahead);
        __builtin_prefetch(m_folders[ahead].pathFolder.data());
    }
    const char* record = m_rows[row];
    std::uint64_t folderNumber = 0;
    const char* cells = varint::read(record, folderNumber);
    const Folder& folder = m_folders[folderNumber];
    rowrecord::cells(cells, m_recordCells);
    m_recordCells.resize(own::count);

    m_readCells[listedColumn::number] = {};
    if (m_numbered) {
        const auto end = std::to_chars(m_number.begin(), m_number.end(), row + 1).ptr;
        m_readCells[listedColumn::number] = {m_number.data(),
                                             static_cast<std::size_t>(end - m_number.data())};
    }
    m_fullPath.assign(folder.pathFolder);
    m_fullPath.append(m_recordCells[own::pathName]);
    m_readCells[listedColumn::ofCell(cell::fileName)] = m_recordCells[own::fileName];
    m_readCells[listedColumn::ofCell(cell::folder)] = folder.folder;
    m_readCells[listedColumn::ofCell(cell::size)] = m_recordCells[own::size];
    m_readCells[listedColumn::ofCell(cell::version)] = m_recordCells[own::version];
    m_readCells[listedColumn::ofCell(cell::stamp)] = m_recordCells[own::stamp];
    m_readCells[listedColumn::ofCell(cell::fullPath)] = m_fullPath;
    m_readCells[listedColumn::ofCell(cell::extension)] = m_recordCells[own::extension];
    m_readRow = row;
}

std::string_view ListedRows::cell(std::size_t row, std::size_t col) const {
    if (row != m_readRow) {
        read(row);
    }
    return col < m_readCells.size() ? m_readCells[col] : std::string_view();
}

} // namespace quiverel
