#include "widgets/KeyCodes.h"

#include <QKeyEvent>

#include <utility>

namespace quiverel {
namespace {

constexpr std::pair<int, std::int16_t> namedKeys[] = {
    {Qt::Key_Backspace, 8}, {Qt::Key_Tab, keyCodeTab}, {Qt::Key_Return, 13},   {Qt::Key_Enter, 13},
    {Qt::Key_Shift, 16},    {Qt::Key_Control, 17},     {Qt::Key_Alt, 18},      {Qt::Key_Escape, 27},
    {Qt::Key_Space, 32},    {Qt::Key_PageUp, 33},      {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},
    {Qt::Key_Home, 36},     {Qt::Key_Left, 37},        {Qt::Key_Up, 38},       {Qt::Key_Right, 39},
    {Qt::Key_Down, 40},     {Qt::Key_Insert, 45},      {Qt::Key_Delete, 46},
};

constexpr std::int16_t firstFunctionKeyCode = 112;

} // namespace

std::int16_t virtualKeyCode(const QKeyEvent& event) {
    const int key = event.key();
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
        return static_cast<std::int16_t>(key);
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return static_cast<std::int16_t>(firstFunctionKeyCode + (key - Qt::Key_F1));
    }
    for (const auto& [qtKey, code] : namedKeys) {
        if (qtKey == key) {
            return code;
        }
    }
    return 0;
}

std::int16_t shiftMask(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    return static_cast<std::int16_t>((modifiers.testFlag(Qt::ShiftModifier) ? shiftMaskShift : 0) |
                                     (modifiers.testFlag(Qt::ControlModifier) ? shiftMaskCtrl : 0) |
                                     (modifiers.testFlag(Qt::AltModifier) ? shiftMaskAlt : 0));
}

} // namespace quiverel
