#pragma once

class QLabel;
class QWidget;

namespace quiverel {

// Ties label to the control it names: assistive technology reads the label's text, without
// its closing colon, as the control's name, wherever in the window the two are placed.
void tieLabel(QLabel& label, QWidget& control);

} // namespace quiverel
