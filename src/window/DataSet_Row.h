#pragma once

#include "listing/ListingRequest.h"
#include "listing/RowTexts.h"

#include <cstdint>

namespace quiverel {

class GridModel;

// Appends the row of one listed file as row lNum of the grid and writes its chosen columns.
// Grid failures propagate to the caller.
void DataSet_Row(GridModel& ctlMSFlexGrid1, std::int32_t lNum, const RowTexts& row,
                 const ColumnFlags& flgCheck);

} // namespace quiverel
