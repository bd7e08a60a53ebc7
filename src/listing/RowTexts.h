#pragma once

#include "listing/pe/FileVersion.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quiverel {

// The texts of one listed file, one cell each: file name, folder (with its separator), size
// ("###,###,##0KB"), version, time stamp ("yyyy/mm/dd hh:mm"), full path and extension.
namespace cell {
inline constexpr std::size_t fileName = 0;
inline constexpr std::size_t folder = 1;
inline constexpr std::size_t size = 2;
inline constexpr std::size_t version = 3;
inline constexpr std::size_t stamp = 4;
inline constexpr std::size_t fullPath = 5;
inline constexpr std::size_t extension = 6;
inline constexpr std::size_t count = 7;
} // namespace cell

// The columns of a listed row, in the order the grid and the lister show them: the running
// number, then one column per cell. Every table about the columns has listedColumn::count rows in
// this order and is tied to it by a static_assert, so a new column is found wherever one is
// missing.
namespace listedColumn {
inline constexpr std::size_t number = 0;
inline constexpr std::size_t count = cell::count + 1;
// The column that shows cell k.
constexpr std::size_t ofCell(std::size_t k) {
    return k + 1;
}
} // namespace listedColumn

// The texts of one listed file, cell k (above) for listedColumn::ofCell(k). The texts stay valid
// until the listing goes on.
using RowTexts = std::array<std::string_view, cell::count>;

// What a row's texts say of a file, typed, for a front end that writes the facts themselves. The
// texts stay valid as long as the row's.
struct RowFacts {
    std::int64_t sizeBytes = 0;
    // Seconds since the epoch; none when the time stamp could not be read.
    std::optional<std::int64_t> modified;
    std::optional<VersionNumbers> version;
    // The full path's own bytes when they are not valid UTF-8 (the texts then show U+FFFD in
    // their place); empty otherwise.
    std::string_view nativePath;
    // The contents' digest, when the request asks for one and the file could be read to its end.
    std::string_view digest;
};

// Takes the rows of a listing, in the order the files were found.
class RowSink {
public:
    virtual ~RowSink() = default;
    // The request is sound and the listing starts: whatever an earlier listing left goes.
    virtual void begin() = 0;
    // One row; the cells of the columns not chosen are empty. A failure thrown here ends the
    // listing as failed at this row's file.
    virtual void addRow(const RowTexts& row) = 0;
    // One row with the facts of its file; a sink that shows only texts takes the row alone.
    // The listing hands every row over here.
    virtual void addFile(const RowTexts& row, [[maybe_unused]] const RowFacts& facts) {
        addRow(row);
    }
};

} // namespace quiverel
