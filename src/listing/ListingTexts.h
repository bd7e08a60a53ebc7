#pragma once

#include "listing/RowTexts.h"

#include <array>

namespace quiverel::texts {

inline constexpr const char* noFilesFound = "検索対象ﾌｧｲﾙがありませんでした。";
inline constexpr const char* badTarget = "検索対象ﾌｧｲﾙの指定に誤りがあります。";

// Heading row of the grid, one text per column.
inline constexpr auto columnHeadings = std::to_array<const char*>({
    "No.",
    "ﾌｧｲﾙ名",
    "ﾊﾟｽ名",
    "ｻｲｽﾞ(KB)",
    "Ver.",
    "ﾀｲﾑｽﾀﾝﾌﾟ",
    "ﾌﾙﾊﾟｽﾌｧｲﾙ名",
    "拡張子",
});
static_assert(columnHeadings.size() == listedColumn::count);

} // namespace quiverel::texts
