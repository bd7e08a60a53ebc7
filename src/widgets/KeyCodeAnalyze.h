#pragma once

#include <cstdint>

namespace quiverel {

// Decodes the shift mask of a key event into its three modifier flags; all three are written.
// The key code takes no part in it.
void KeyCodeAnalyze(std::int16_t iKeyCode, std::int16_t iShift, bool& flgShiftDown,
                    bool& flgAltDown, bool& flgCtrlDown);

} // namespace quiverel
