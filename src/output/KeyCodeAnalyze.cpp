#include "output/KeyCodeAnalyze.h"

namespace quiverel {

void KeyCodeAnalyze(std::int16_t /*iKeyCode*/, std::int16_t iShift, bool& flgShiftDown,
                    bool& flgAltDown, bool& flgCtrlDown) {
    flgShiftDown = (iShift & shiftMaskShift) != 0;
    flgAltDown = (iShift & shiftMaskAlt) != 0;
    flgCtrlDown = (iShift & shiftMaskCtrl) != 0;
}

bool isGridCopyKey(std::int16_t keyCode, std::int16_t shift) {
    bool flgShiftDown = false;
    bool flgAltDown = false;
    bool flgCtrlDown = false;
    KeyCodeAnalyze(keyCode, shift, flgShiftDown, flgAltDown, flgCtrlDown);
    return flgCtrlDown && keyCode == keyCodeC;
}

} // namespace quiverel
