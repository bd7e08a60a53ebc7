#pragma once

namespace quiverel {

// Twips (1/1440 inch) and pixels at a given logical resolution in dots per inch.
double pixelsToTwips(int pixels, double dpi);
// Rounded to the nearest pixel and held within the range a widget geometry accepts.
int twipsToPixels(double twips, double dpi);

} // namespace quiverel
