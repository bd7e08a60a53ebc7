#pragma once

#include "generated/ProgramInfo.h"

#include <cstdint>

// Every value the program keeps in the settings store: its key, its type and its default. The
// store holds them all as text, under application and section.
namespace quiverel::settingsKeys {

inline constexpr const char* application = program::title;
inline constexpr const char* section = "Settings";

// A key whose value is a 16-bit integer, a text or a single-precision number.
struct Int16Key {
    const char* name;
    std::int16_t defaultValue;
};
struct TextKey {
    const char* name;
    const char* defaultValue;
};
struct SingleKey {
    const char* name;
    float defaultValue;
};

// The options (see Options).
inline constexpr Int16Key OptFolder{"OptFolder", 1};
inline constexpr TextKey OptFindFiles{"OptFindFiles", "*.*"};
inline constexpr TextKey OptTrim{"OptTrim", ""};

// The main window's outer placement in twips (see WindowPlacement).
inline constexpr SingleKey MainLeft{"MainLeft", 1000};
inline constexpr SingleKey MainTop{"MainTop", 1000};
inline constexpr SingleKey MainWidth{"MainWidth", 6500};
inline constexpr SingleKey MainHeight{"MainHeight", 6500};

} // namespace quiverel::settingsKeys
