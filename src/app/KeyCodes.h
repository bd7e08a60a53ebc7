#pragma once

#include <cstdint>

class QKeyEvent;

namespace quiverel {

// The key of a key event as a virtual key code: letters and digits are their upper-case ASCII
// codes (C is 67), the common editing, moving and function keys their usual codes, other keys 0.
std::int16_t virtualKeyCode(const QKeyEvent& event);

// The modifier keys held during a key event: 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t shiftMask(const QKeyEvent& event);

} // namespace quiverel
