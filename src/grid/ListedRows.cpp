#include "grid/ListedRows.h"

#include "grid/RowSort.h"

#include <string>

namespace quiverel {

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
