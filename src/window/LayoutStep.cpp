#include "window/LayoutStep.h"

#include <cmath>
#include <limits>

namespace quiverel {
namespace {

constexpr double toolbarGap = 90;
constexpr double statusAllowance = 700;
constexpr double checkBoxBand = 250;
constexpr std::int16_t gridLeftEdge = 10;
constexpr double gridRightMargin = 130;
constexpr std::int16_t checkBoxTopBelowToolbar = 480;

// A grid size below zero would be refused by the window: the grid keeps one twip.
std::int16_t atLeastOne(std::int16_t size) {
    return size < 0 ? std::int16_t{1} : size;
}

} // namespace

std::int16_t roundToInt16(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double lowest = std::numeric_limits<std::int16_t>::min();
    constexpr double highest = std::numeric_limits<std::int16_t>::max();
    // nearbyint rounds halves to even under the default rounding mode.
    const double rounded = std::nearbyint(value);
    if (rounded <= lowest) {
        return std::numeric_limits<std::int16_t>::min();
    }
    if (rounded >= highest) {
        return std::numeric_limits<std::int16_t>::max();
    }
    return static_cast<std::int16_t>(rounded);
}

namespace {

std::int16_t toolbarAllowanceOf(const LayoutInput& input) {
    return input.toolbarVisible ? roundToInt16(input.toolbarHeight + toolbarGap) : std::int16_t{0};
}

std::int16_t statusBarAllowanceOf(const LayoutInput& input) {
    return input.statusBarVisible ? roundToInt16(input.statusBarHeight + statusAllowance)
                                  : roundToInt16(statusAllowance);
}

} // namespace

WindowSize smallestWindowFor(const LayoutInput& bars, double gridWidth, double gridHeight) {
    return {gridWidth + gridLeftEdge + gridRightMargin,
            gridHeight + toolbarAllowanceOf(bars) + statusBarAllowanceOf(bars) + checkBoxBand};
}

LayoutResult computeLayout(const LayoutInput& input) {
    const std::int16_t toolbarAllowance = toolbarAllowanceOf(input);
    const std::int16_t statusBarAllowance = statusBarAllowanceOf(input);

    LayoutResult result;
    result.gridHeight = atLeastOne(
        roundToInt16(input.windowHeight - toolbarAllowance - statusBarAllowance - checkBoxBand));
    result.gridTop = roundToInt16(toolbarAllowance + checkBoxBand);
    result.gridLeft = gridLeftEdge;
    result.gridWidth = atLeastOne(roundToInt16(input.windowWidth - gridLeftEdge - gridRightMargin));
    result.checkBoxTop = input.toolbarVisible ? checkBoxTopBelowToolbar : std::int16_t{0};
    return result;
}

} // namespace quiverel
