#pragma once

#include <cstdint>

namespace quiverel {

// Key codes and shift-mask bits as the program's key handlers see them.
inline constexpr std::int16_t keyCodeTab = 9;
inline constexpr std::int16_t keyCodeC = 67;
inline constexpr std::int16_t shiftMaskShift = 1;
inline constexpr std::int16_t shiftMaskCtrl = 2;
inline constexpr std::int16_t shiftMaskAlt = 4;

// Decodes the shift mask of a key event into its three modifier flags; all three are written.
// The key code takes no part in it.
void KeyCodeAnalyze(std::int16_t iKeyCode, std::int16_t iShift, bool& flgShiftDown,
                    bool& flgAltDown, bool& flgCtrlDown);

// True for the grid's copy key: C with Ctrl held, whether Shift and Alt are held or not.
bool isGridCopyKey(std::int16_t keyCode, std::int16_t shift);

} // namespace quiverel
