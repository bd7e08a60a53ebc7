#pragma once

// Every text the main window and its processing window show, exactly as the user sees them.

#include <array>

namespace quiverel::mainTexts {

inline constexpr const char* caption = "Brindlewick Quiverel2000";

inline constexpr const char* mnuFile = "ﾌｧｲﾙ(&F)";
inline constexpr const char* mnuFileExit = "終了(&X)";
inline constexpr const char* mnuFilePrint = "印刷(&P)...";
inline constexpr const char* mnuEdit = "編集(&E)";
inline constexpr const char* mnuEditCopy = "ｺﾋﾟｰ(&C)";
inline constexpr const char* mnuView = "表示(&V)";
inline constexpr const char* mnuViewToolbar = "ﾂｰﾙ ﾊﾞｰ(&T)";
inline constexpr const char* mnuViewStatusBar = "ｽﾃｰﾀｽ ﾊﾞｰ(&B)";
inline constexpr const char* mnuViewOptions = "ｵﾌﾟｼｮﾝ(&O)...";
inline constexpr const char* mnuHelp = "ﾍﾙﾌﾟ(&H)";
inline constexpr const char* mnuHelpContents = "目次(&C)";
inline constexpr const char* mnuHelpSearch = "ﾄﾋﾟｯｸの検索(&S)...";
inline constexpr const char* mnuHelpAbout = "ﾊﾞｰｼﾞｮﾝ情報(&A)";

inline constexpr const char* toolTipPrint = "印刷";
inline constexpr const char* toolTipCopy = "ｺﾋﾟｰ";

// Captions of Check_Siji(0) to Check_Siji(6).
inline constexpr auto checkSijiCaptions = std::to_array<const char*>({
    "ﾌｧｲﾙ名",
    "ﾊﾟｽ名",
    "ｻｲｽﾞ",
    "Ver.",
    "ﾀｲﾑｽﾀﾝﾌﾟ",
    "ﾌﾙﾊﾟｽﾌｧｲﾙ名",
    "拡張子",
});
inline constexpr const char* checkOmoji = "大文字にする";

// The list grid's name for assistive technology; the drop prompt describes it.
inline constexpr const char* gridName = "ﾌｧｲﾙ一覧";
inline constexpr const char* dropPrompt = "ファイル及びフォルダをスプレッド上にドロップして下さい";

inline constexpr const char* printNotice = "開発中です";

inline constexpr const char* commandLineNotice =
    "ｼｮｰﾄｶｯﾄへﾄﾞﾛｯﾌﾟした場合は、ﾛﾝｸﾞﾌｧｲﾙﾈｰﾑに対応していません。";
inline constexpr const char* commandLineNoticeTitle = "Quiverel";

// The processing window shown while a long batch runs.
inline constexpr const char* processingCaption = "処理中";
inline constexpr const char* processingLabel = "処  理  中";
inline constexpr const char* processingCancel = "ｷｬﾝｾﾙ";
// %1 is the number of files found so far.
inline constexpr const char* processingFound = "%1 ﾌｧｲﾙ";

} // namespace quiverel::mainTexts

// The copy command's messages.
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
