#include "window/DataSet_RowMidashi.h"

#include "grid/GridModel.h"
#include "window/GridColumns.h"

namespace quiverel {

void DataSet_RowMidashi(GridModel& ctlMSFlexGrid1) {
    ctlMSFlexGrid1.setCols(static_cast<std::int32_t>(gridColumns.size()));
    ctlMSFlexGrid1.Clear();
    ctlMSFlexGrid1.setRows(2);
    ctlMSFlexGrid1.setRow(0);
    for (std::size_t k = 0; k < gridColumns.size(); ++k) {
        const auto col = static_cast<std::int32_t>(k);
        ctlMSFlexGrid1.setCol(col);
        ctlMSFlexGrid1.setText(gridColumns[k].heading);
        ctlMSFlexGrid1.setColWidth(col, gridColumns[k].startWidth);
        if (gridColumns[k].leftAligned) {
            ctlMSFlexGrid1.setColAlignment(col, GridModel::flexAlignLeftCenter);
        }
    }
    ctlMSFlexGrid1.setRow(1);
    ctlMSFlexGrid1.setCol(1);
}

} // namespace quiverel
