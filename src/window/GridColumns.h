#pragma once

#include "listing/ListingTexts.h"
#include "listing/RowTexts.h"
#include "window/texts.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace quiverel {

// Where a check box sits in its row above the grid, in twips.
struct CheckBoxPlace {
    int left;
    int width;
};

// Everything the window shows of one column of its grid.
struct GridColumn {
    const char* heading;         // the heading row's text
    std::int32_t startWidth;     // in twips, until the user drags the border
    bool leftAligned;            // otherwise the grid's general alignment
    const char* checkBoxCaption; // the check box choosing whether a drop fills the column
    CheckBoxPlace checkBox;
    bool checkedAtStart;
};

// One row per column, in the order of listedColumn (listing/RowTexts.h). The running number is
// always filled and has no check box; the check box of listedColumn::ofCell(k) is Check_Siji(k).
inline constexpr auto gridColumns = std::to_array<GridColumn>({
    {texts::columnHeadings[0], 500, false, nullptr, {0, 0}, true},
    {texts::columnHeadings[1], 1000, true, mainTexts::checkSijiCaptions[0], {120, 975}, true},
    {texts::columnHeadings[2], 1000, true, mainTexts::checkSijiCaptions[1], {1080, 975}, true},
    {texts::columnHeadings[3], 1000, false, mainTexts::checkSijiCaptions[2], {1920, 975}, true},
    {texts::columnHeadings[4], 800, true, mainTexts::checkSijiCaptions[3], {2640, 975}, true},
    {texts::columnHeadings[5], 1000, false, mainTexts::checkSijiCaptions[4], {3360, 1215}, true},
    {texts::columnHeadings[6], 2000, true, mainTexts::checkSijiCaptions[5], {4560, 1455}, false},
    {texts::columnHeadings[7], 1000, true, mainTexts::checkSijiCaptions[6], {6120, 855}, false},
});
static_assert(gridColumns.size() == listedColumn::count);
static_assert(mainTexts::checkSijiCaptions.size() == cell::count);

// The grid column that Check_Siji(k) chooses.
constexpr const GridColumn& checkSijiColumn(std::size_t k) {
    return gridColumns[listedColumn::ofCell(k)];
}

} // namespace quiverel
