#pragma once

#include "widgets/Twips.h"

#include <QRect>
#include <QString>

class QLabel;
class QWidget;

namespace quiverel {

// Names a new control and places it at its design position, given in twips relative to its
// container.
template <typename Control>
Control* placeControl(Control* control, const char* name, int left, int top, int width,
                      int height) {
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(twipsRect(*control, left, top, width, height));
    return control;
}

// A label placed the same way, its text starting at its top-left corner as the dialogs are
// designed.
QLabel* placeLabel(const char* text, QWidget* container, const char* name, int left, int top,
                   int width, int height);

} // namespace quiverel
