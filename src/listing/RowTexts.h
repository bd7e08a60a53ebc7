#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace quiverel {

// The texts of one listed file, cell k for column k + 1 of its row: file name, folder (with its
// separator), size ("###,###,##0KB"), version, time stamp ("yyyy/mm/dd hh:mm"), full path and
// extension. The texts stay valid until the listing goes on.
using RowTexts = std::array<std::string_view, 7>;

namespace cell {
inline constexpr std::size_t fileName = 0;
inline constexpr std::size_t folder = 1;
inline constexpr std::size_t size = 2;
inline constexpr std::size_t version = 3;
inline constexpr std::size_t stamp = 4;
inline constexpr std::size_t fullPath = 5;
inline constexpr std::size_t extension = 6;
} // namespace cell

// Takes the rows of a listing, in the order the files were found.
class RowSink {
public:
    virtual ~RowSink() = default;
    // The request is sound and the listing starts: whatever an earlier listing left goes.
    virtual void begin() = 0;
    // One row; the cells of the columns not chosen are empty. A failure thrown here ends the
    // listing as failed at this row's file.
    virtual void addRow(const RowTexts& row) = 0;
};

} // namespace quiverel
