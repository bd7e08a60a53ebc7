#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

namespace quiverel {

// Dialog geometry is designed in twips, 1/1440 inch. These map it to the device-independent
// pixels of the screen the widget is on, at that screen's logical DPI.
int twipsToPixelsX(const QWidget& widget, int twips);
int twipsToPixelsY(const QWidget& widget, int twips);
QPoint twipsPoint(const QWidget& widget, int left, int top);
QSize twipsSize(const QWidget& widget, int width, int height);
QRect twipsRect(const QWidget& widget, int left, int top, int width, int height);

// Names a new control and places it at its design position, given in twips relative to its
// container.
template <typename Control>
Control* placeControl(Control* control, const char* name, int left, int top, int width,
                      int height) {
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(twipsRect(*control, left, top, width, height));
    return control;
}

// The font the dialogs were laid out for: a proportional Japanese Gothic face, 9 points.
QFont dialogFont();

} // namespace quiverel
