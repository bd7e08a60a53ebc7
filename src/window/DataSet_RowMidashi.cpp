#include "window/DataSet_RowMidashi.h"

#include "grid/GridModel.h"
#include "listing/ListingTexts.h"

#include <array>

namespace quiverel {
namespace {

constexpr std::array<std::int32_t, 8> startWidths = {500, 1000, 1000, 1000, 800, 1000, 2000, 1000};
// Names, paths, versions, full paths and extensions read from the left; the number, size and
// time-stamp columns keep the general alignment.
constexpr std::array<bool, 8> leftAligned = {false, true, true, false, true, false, true, true};

} // namespace

void DataSet_RowMidashi(GridModel& ctlMSFlexGrid1) {
    ctlMSFlexGrid1.setCols(8);
    ctlMSFlexGrid1.Clear();
    ctlMSFlexGrid1.setRows(2);
    ctlMSFlexGrid1.setRow(0);
    for (std::int32_t col = 0; col < 8; ++col) {
        ctlMSFlexGrid1.setCol(col);
        ctlMSFlexGrid1.setText(texts::columnHeadings[col]);
        ctlMSFlexGrid1.setColWidth(col, startWidths[static_cast<std::size_t>(col)]);
        if (leftAligned[static_cast<std::size_t>(col)]) {
            ctlMSFlexGrid1.setColAlignment(col, GridModel::flexAlignLeftCenter);
        }
    }
    ctlMSFlexGrid1.setRow(1);
    ctlMSFlexGrid1.setCol(1);
}

} // namespace quiverel
