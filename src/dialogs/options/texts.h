#pragma once

namespace quiverel::optionsTexts {

inline constexpr const char* caption = "ｵﾌﾟｼｮﾝ";
inline constexpr const char* searchTab = "検索条件";
inline constexpr const char* searchSubFolders = "サブフォルダも探す";
// Seventeen ideographic spaces: the gap in the frame's top border where the check box sits.
inline constexpr const char* subFolderFrame =
    "\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000"
    "\u3000\u3000";
inline constexpr const char* targetFiles = "検索対象ﾌｧｲﾙ";
inline constexpr const char* subFoldersOnly = "※ｻﾌﾞﾌｫﾙﾀﾞのみ有効";
inline constexpr const char* trimLabel = "ﾊﾟｽ名左端から削除する文字列 ：";
inline constexpr const char* ok = "OK";
inline constexpr const char* cancel = "ｷｬﾝｾﾙ";
inline constexpr const char* apply = "更新";
inline constexpr const char* notSaved = "設定を保存できませんでした。";

} // namespace quiverel::optionsTexts
