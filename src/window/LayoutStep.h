#pragma once

#include <cstdint>

namespace quiverel {

// Rounds to the nearest integer, halves to the even neighbour, and holds the result in 16 bits:
// values past the range saturate at -32768 or 32767; NaN gives 0.
std::int16_t roundToInt16(double value);

// What the layout step reads, all in twips. The window's size is its outer size.
struct LayoutInput {
    double windowWidth = 0;
    double windowHeight = 0;
    bool toolbarVisible = true;
    double toolbarHeight = 0;
    bool statusBarVisible = true;
    double statusBarHeight = 0;
};

// Where the layout step puts the grid and the row of check boxes, in twips.
struct LayoutResult {
    std::int16_t gridTop = 0;
    std::int16_t gridLeft = 0;
    std::int16_t gridWidth = 0;
    std::int16_t gridHeight = 0;
    std::int16_t checkBoxTop = 0;
};

// A window's outer size in twips.
struct WindowSize {
    double width = 0;
    double height = 0;
};

// The smallest window in which the layout step gives the grid at least gridWidth by gridHeight
// twips, with the bars as bars describes them (its window size is not read).
WindowSize smallestWindowFor(const LayoutInput& bars, double gridWidth, double gridHeight);

// The numbers of Form_Resize: the grid fills the window below the toolbar and the check boxes,
// above the status bar allowance; a negative grid size becomes 1, a size of 0 stays 0.
LayoutResult computeLayout(const LayoutInput& input);

} // namespace quiverel
