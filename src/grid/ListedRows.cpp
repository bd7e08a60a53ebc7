#include "grid/ListedRows.h"

#include "grid/RowSort.h"

#include <charconv>
#include <string>

namespace quiverel {
namespace {

// The cells beyond the row's texts that keep its file's facts, as decimal texts; an empty cell
// is a fact not known (or a text not given).
namespace factCell {
constexpr std::size_t sizeBytes = 8;
constexpr std::size_t modified = 9;
constexpr std::size_t version = 10; // "major.minor.build.revision"
constexpr std::size_t nativePath = 11;
constexpr std::size_t digest = 12;
} // namespace factCell

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
    m_table.resize(0);
}

void ListedRows::addRow(const RowTexts& row) {
    const std::size_t index = m_table.rows();
    m_table.resize(index + 1);
    for (std::size_t k = 0; k < row.size(); ++k) {
        m_table.setCell(index, k + 1, row[k]);
    }
}

void ListedRows::addFile(const RowTexts& row, const RowFacts& facts) {
    addRow(row);
    if (!m_keepFacts) {
        return;
    }
    const std::size_t index = m_table.rows() - 1;
    m_table.setCell(index, factCell::sizeBytes, std::to_string(facts.sizeBytes));
    if (facts.modified) {
        m_table.setCell(index, factCell::modified, std::to_string(*facts.modified));
    }
    if (facts.version) {
        const VersionNumbers& v = *facts.version;
        m_table.setCell(index, factCell::version,
                        std::to_string(v[0]) + "." + std::to_string(v[1]) + "." +
                            std::to_string(v[2]) + "." + std::to_string(v[3]));
    }
    m_table.setCell(index, factCell::nativePath, facts.nativePath);
    m_table.setCell(index, factCell::digest, facts.digest);
}

RowFacts ListedRows::facts(std::size_t row) const {
    RowFacts facts;
    std::string_view size = m_table.cell(row, factCell::sizeBytes);
    readNumber(size, facts.sizeBytes);
    std::string_view modified = m_table.cell(row, factCell::modified);
    std::int64_t seconds = 0;
    if (readNumber(modified, seconds)) {
        facts.modified = seconds;
    }
    facts.version = versionOf(m_table.cell(row, factCell::version));
    facts.nativePath = m_table.cell(row, factCell::nativePath);
    facts.digest = m_table.cell(row, factCell::digest);
    return facts;
}

void ListedRows::sortAndNumber(const std::function<void()>& whileSorting) {
    if (m_table.rows() > 1) {
        sortRows(m_table, 0, m_table.rows() - 1, 1 + cell::fileName, 1 + cell::fileName,
                 whileSorting);
    }
    for (std::size_t row = 0; row < m_table.rows(); ++row) {
        m_table.setCell(row, 0, std::to_string(row + 1));
    }
}

} // namespace quiverel
