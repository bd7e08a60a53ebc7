#pragma once

#include "generated/ProgramInfo.h"

// Where the program's values live in the settings store: application, section and keys.
namespace quiverel::settingsKeys {

inline constexpr const char* application = program::title;
inline constexpr const char* section = "Settings";

inline constexpr const char* OptFolder = "OptFolder";
inline constexpr const char* OptFindFiles = "OptFindFiles";
inline constexpr const char* OptTrim = "OptTrim";

inline constexpr const char* MainLeft = "MainLeft";
inline constexpr const char* MainTop = "MainTop";
inline constexpr const char* MainWidth = "MainWidth";
inline constexpr const char* MainHeight = "MainHeight";

} // namespace quiverel::settingsKeys
