#pragma once

#include "grid/RowTable.h"
#include "listing/RowTexts.h"

#include <cstddef>
#include <functional>
#include <string_view>

namespace quiverel {

// The rows of a listing in a compact row table, for a front end without a grid: row i holds
// the running number in cell 0 and the row's texts in cells 1 to 7.
class ListedRows : public RowSink {
public:
    void begin() override;
    void addRow(const RowTexts& row) override;

    // Orders the rows by file name, ASCII letters folded, equal names in the order found, and
    // numbers them 1, 2, 3 ... With whileSorting, the order is worked out aside while this
    // thread calls it (see sortRows).
    void sortAndNumber(const std::function<void()>& whileSorting = {});

    std::size_t rows() const { return m_table.rows(); }
    std::string_view cell(std::size_t row, std::size_t col) const { return m_table.cell(row, col); }

private:
    RowTable m_table;
};

} // namespace quiverel
