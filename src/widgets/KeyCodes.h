#pragma once

#include <cstdint>

class QKeyEvent;

namespace quiverel {

// Key codes and shift-mask bits as the program's key handlers see them.
inline constexpr std::int16_t keyCodeTab = 9;
inline constexpr std::int16_t keyCodeC = 67;
inline constexpr std::int16_t shiftMaskShift = 1;
inline constexpr std::int16_t shiftMaskCtrl = 2;
inline constexpr std::int16_t shiftMaskAlt = 4;

// The key of a key event as a virtual key code: letters and digits are their upper-case ASCII
// codes (C is 67), the common editing, moving and function keys their usual codes, other keys 0.
std::int16_t virtualKeyCode(const QKeyEvent& event);

// The modifier keys held during a key event: shiftMaskShift, shiftMaskCtrl, shiftMaskAlt.
std::int16_t shiftMask(const QKeyEvent& event);

} // namespace quiverel
