#pragma once

class QPoint;
class QRect;
class QSize;
class QWidget;

namespace quiverel {

// Twips (1/1440 inch) and pixels at a given logical resolution in dots per inch.
double pixelsToTwips(int pixels, double dpi);
// Rounded to the nearest pixel and held within the range a widget geometry accepts.
int twipsToPixels(double twips, double dpi);

// The same at the logical resolution of the screen the widget is on, across and down.
int twipsToPixelsX(const QWidget& widget, double twips);
int twipsToPixelsY(const QWidget& widget, double twips);
QPoint twipsPoint(const QWidget& widget, double left, double top);
QSize twipsSize(const QWidget& widget, double width, double height);
QRect twipsRect(const QWidget& widget, double left, double top, double width, double height);

} // namespace quiverel
