#pragma once

#include "generated/ProgramInfo.h"

namespace quiverel::aboutTexts {

inline constexpr const char* caption = "Quiverel2000のﾊﾞｰｼﾞｮﾝ情報";
inline constexpr const char* versionPrefix = "Version ";
// The copyright line is the program's own, the one its version resource carries too.
inline constexpr const char* copyright = program::copyright;
inline constexpr const char* ok = "OK";
inline constexpr const char* sysInfo = "ｼｽﾃﾑ情報(&S)...";
inline constexpr const char* sysInfoUnavailable = "現時点ではｼｽﾃﾑ情報を使用できません";

} // namespace quiverel::aboutTexts
