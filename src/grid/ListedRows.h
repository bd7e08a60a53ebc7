#pragma once

#include "grid/RowTable.h"
#include "listing/RowTexts.h"

#include <cstddef>
#include <functional>
#include <string_view>

namespace quiverel {

// The rows of a listing in a compact row table, for a front end without a grid: row i holds
// the running number in cell 0 and the row's texts in cells 1 to 7; with keepFacts, also the
// facts of its file, which go along when the rows are sorted.
class ListedRows : public RowSink {
public:
    explicit ListedRows(bool keepFacts = false) : m_keepFacts(keepFacts) {}

    void begin() override;
    void addRow(const RowTexts& row) override;
    void addFile(const RowTexts& row, const RowFacts& facts) override;

    // Orders the rows by file name, ASCII letters folded, equal names in the order found, and
    // numbers them 1, 2, 3 ... With whileSorting, the order is worked out aside while this
    // thread calls it (see sortRows).
    void sortAndNumber(const std::function<void()>& whileSorting = {});

    std::size_t rows() const { return m_table.rows(); }
    std::string_view cell(std::size_t row, std::size_t col) const { return m_table.cell(row, col); }
    // The facts of the row's file, when kept; its texts stay valid until the rows change.
    RowFacts facts(std::size_t row) const;

private:
    bool m_keepFacts;
    RowTable m_table;
};

} // namespace quiverel
