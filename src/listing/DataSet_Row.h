#pragma once

#include "listing/FileTable.h"

#include <cstdint>
#include <string>

namespace quiverel {

class GridModel;

// Writes the file at nativePath as row lNum of the grid. strFullPathFileName is its display
// text (upper-cased in place when flgOmoji is true). Returns false, leaving the grid untouched,
// when the file's time stamp cannot be read. Grid failures propagate to the caller.
bool DataSet_Row(GridModel& ctlMSFlexGrid1, std::int32_t lNum, const std::string& nativePath,
                 std::string& strFullPathFileName, const std::string& sTrim,
                 const ColumnFlags& flgCheck, bool flgOmoji);

} // namespace quiverel
