#pragma once

class QPushButton;

namespace quiverel {

// Enter (or Return) pressed while button has the focus presses it, as Space does, even in a
// dialog without a default button: Enter elsewhere still presses nothing.
void letEnterPressButton(QPushButton& button);

} // namespace quiverel
