#include "widgets/KeyCodeAnalyze.h"

#include "widgets/KeyCodes.h"

namespace quiverel {

void KeyCodeAnalyze(std::int16_t /*iKeyCode*/, std::int16_t iShift, bool& flgShiftDown,
                    bool& flgAltDown, bool& flgCtrlDown) {
    flgShiftDown = (iShift & shiftMaskShift) != 0;
    flgAltDown = (iShift & shiftMaskAlt) != 0;
    flgCtrlDown = (iShift & shiftMaskCtrl) != 0;
}

} // namespace quiverel
