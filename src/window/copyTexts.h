#pragma once

namespace quiverel::copyTexts {

// Title of the copy command's message boxes.
inline constexpr const char* title = "Quiverel";

inline constexpr const char* nothingSelected = "ｺﾋﾟｰ範囲が選択されていません。";
inline constexpr const char* failed = "ｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰできませんでした。";

// The confirmation reads: Col : first～last  Row : first～last  をｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰしました。
inline constexpr const char* columns = "Col : ";
inline constexpr const char* rows = "  Row : ";
inline constexpr const char* rangeSeparator = "～";
inline constexpr const char* copiedEnd = "  をｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰしました。";

} // namespace quiverel::copyTexts
