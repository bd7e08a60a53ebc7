#include "window/DataSet_Row.h"

#include "grid/GridModel.h"

namespace quiverel {

void DataSet_Row(GridModel& ctlMSFlexGrid1, std::int32_t lNum, const RowTexts& row,
                 const ColumnFlags& flgCheck) {
    ctlMSFlexGrid1.setCols(8);
    ctlMSFlexGrid1.setRows(ctlMSFlexGrid1.Rows() + 1);
    ctlMSFlexGrid1.setRow(lNum);
    // Column k + 1 receives cell k.
    for (std::size_t k = 0; k < flgCheck.size(); ++k) {
        if (flgCheck[k]) {
            ctlMSFlexGrid1.setCol(static_cast<std::int32_t>(k) + 1);
            ctlMSFlexGrid1.setText(row[k]);
        }
    }
}

} // namespace quiverel
