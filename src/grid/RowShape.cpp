#include "grid/RowShape.h"

namespace quiverel {

std::uint32_t RowShapes::numberOf(std::span<ShapedCell> cells) {
    std::uint16_t kept = 0;
    m_key.clear();
    for (ShapedCell& cell : cells) {
        cell.keptIndex = kept;
        if (cell.form == CellForm::Kept || cell.form == CellForm::FolderThenKept) {
            ++kept;
        }
        m_key.push_back(static_cast<char>(cell.form));
        m_key.push_back(cell.letter);
        m_key.push_back(static_cast<char>(cell.source));
    }
    // Rows come in runs of one shape: the shape of the row before is tried first.
    if (m_lastNumber != 0 && m_key == m_lastKey) {
        return m_lastNumber;
    }
    const auto found = m_numbers.find(m_key);
    if (found != m_numbers.end()) {
        remember(found->second);
        return found->second;
    }
    if (m_shapes.size() >= capacity) {
        return 0;
    }
    m_shapes.emplace_back(cells.begin(), cells.end());
    const auto number = static_cast<std::uint32_t>(m_shapes.size());
    m_numbers.emplace(m_key, number);
    remember(number);
    return number;
}

void RowShapes::remember(std::uint32_t number) {
    m_lastKey = m_key;
    m_lastNumber = number;
}

void RowShapes::clear() {
    m_shapes.clear();
    m_numbers.clear();
    m_lastNumber = 0;
}

} // namespace quiverel
