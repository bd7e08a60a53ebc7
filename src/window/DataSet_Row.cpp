#include "window/DataSet_Row.h"

#include "grid/GridModel.h"
#include "window/GridColumns.h"

namespace quiverel {

void DataSet_Row(GridModel& ctlMSFlexGrid1, std::int32_t lNum, const RowTexts& row,
                 const ColumnFlags& flgCheck) {
    ctlMSFlexGrid1.setCols(static_cast<std::int32_t>(gridColumns.size()));
    ctlMSFlexGrid1.setRows(ctlMSFlexGrid1.Rows() + 1);
    ctlMSFlexGrid1.setRow(lNum);
    for (std::size_t k = 0; k < flgCheck.size(); ++k) {
        if (flgCheck[k]) {
            ctlMSFlexGrid1.setCol(static_cast<std::int32_t>(listedColumn::ofCell(k)));
            ctlMSFlexGrid1.setText(row[k]);
        }
    }
}

} // namespace quiverel
