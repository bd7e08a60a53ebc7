#include "listing/DataSet_Row.h"

#include "listing/FileAnalyze.h"
#include "grid/GridModel.h"

namespace quiverel {
namespace {

bool isBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

// The path name without sTrim when it stands, in exactly this case, at the very start.
std::string_view trimmedPathName(std::string_view pathName, std::string_view sTrim) {
    if (!sTrim.empty() && pathName.starts_with(sTrim)) {
        pathName.remove_prefix(sTrim.size());
    }
    return pathName;
}

// The steps after the analysis: skip a file without time stamp, else append the row and write
// the chosen columns.
bool writeRow(GridModel& grid, std::int32_t lNum, const AnalysedFile& file,
              const std::string& sTrim, const ColumnFlags& flgCheck) {
    if (isBlank(file.strStamp)) {
        return false;
    }
    grid.setRows(grid.Rows() + 1);
    grid.setRow(lNum);
    // Column k + 1 receives cells[k].
    const std::string_view cells[] = {
        file.strFileName, trimmedPathName(file.strPathName, sTrim),
        file.strSizeKB,   file.strVer,
        file.strStamp,    file.strFullPathFileName,
        file.strKaku,
    };
    static_assert(std::size(cells) == std::tuple_size_v<ColumnFlags>);
    for (std::size_t k = 0; k < flgCheck.size(); ++k) {
        if (flgCheck[k]) {
            grid.setCol(static_cast<std::int32_t>(k) + 1);
            grid.setText(cells[k]);
        }
    }
    return true;
}

} // namespace

bool DataSet_Row(GridModel& ctlMSFlexGrid1, std::int32_t lNum, const std::string& nativePath,
                 std::string& strFullPathFileName, const std::string& sTrim,
                 const ColumnFlags& flgCheck, bool flgOmoji) {
    ctlMSFlexGrid1.setCols(8);
    FileFields fields;
    FileAnalyze(nativePath, strFullPathFileName, fields, flgOmoji);
    const AnalysedFile file{strFullPathFileName, fields.strPathName, fields.strFileName,
                            fields.strSizeKB,    fields.strStamp,    fields.strVer,
                            fields.strKaku};
    return writeRow(ctlMSFlexGrid1, lNum, file, sTrim, flgCheck);
}

bool DataSet_RowAnalysed(GridModel& ctlMSFlexGrid1, std::int32_t lNum, const AnalysedFile& file,
                         const std::string& sTrim, const ColumnFlags& flgCheck) {
    ctlMSFlexGrid1.setCols(8);
    return writeRow(ctlMSFlexGrid1, lNum, file, sTrim, flgCheck);
}

} // namespace quiverel
