#pragma once

#include "listing/FileTable.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quiverel {

class GridModel;

// The texts file analysis derives for one file, ready to be written as a row.
struct AnalysedFile {
    std::string_view strFullPathFileName;
    std::string_view strPathName;
    std::string_view strFileName;
    std::string_view strSizeKB;
    std::string_view strStamp;
    std::string_view strVer;
    std::string_view strKaku;
};

// Writes the file at nativePath as row lNum of the grid. strFullPathFileName is its display
// text (upper-cased in place when flgOmoji is true). Returns false, leaving the grid untouched,
// when the file's time stamp cannot be read. Grid failures propagate to the caller.
bool DataSet_Row(GridModel& ctlMSFlexGrid1, std::int32_t lNum, const std::string& nativePath,
                 std::string& strFullPathFileName, const std::string& sTrim,
                 const ColumnFlags& flgCheck, bool flgOmoji);

// The same for a file analysed beforehand: everything DataSet_Row does after the analysis.
bool DataSet_RowAnalysed(GridModel& ctlMSFlexGrid1, std::int32_t lNum, const AnalysedFile& file,
                         const std::string& sTrim, const ColumnFlags& flgCheck);

} // namespace quiverel
