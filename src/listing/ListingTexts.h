#pragma once

namespace quiverel::texts {

inline constexpr const char* noFilesFound = "検索対象ﾌｧｲﾙがありませんでした。";
inline constexpr const char* badTarget = "検索対象ﾌｧｲﾙの指定に誤りがあります。";

// Heading row of the grid, columns 0 to 7.
inline constexpr const char* columnHeadings[8] = {
    "No.", "ﾌｧｲﾙ名", "ﾊﾟｽ名", "ｻｲｽﾞ(KB)", "Ver.", "ﾀｲﾑｽﾀﾝﾌﾟ", "ﾌﾙﾊﾟｽﾌｧｲﾙ名", "拡張子",
};

} // namespace quiverel::texts
