#pragma once

namespace quiverel {

class GridModel;

// Lays out the eight columns and writes the heading row; leaves one empty data row with the
// current cell at row 1, column 1.
void DataSet_RowMidashi(GridModel& ctlMSFlexGrid1);

} // namespace quiverel
