#include "listing/DataSet_Row.h"

#include "listing/FileAnalyze.h"
#include "listing/GridModel.h"

#include <string_view>

namespace quiverel {
namespace {

bool isBlank(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos;
}

// The path name without sTrim when it stands, in exactly this case, at the very start.
std::string_view trimmedPathName(std::string_view pathName, std::string_view sTrim) {
    if (!sTrim.empty() && pathName.starts_with(sTrim)) {
        pathName.remove_prefix(sTrim.size());
    }
    return pathName;
}

} // namespace

bool DataSet_Row(GridModel& ctlMSFlexGrid1, std::int32_t lNum, const std::string& nativePath,
                 std::string& strFullPathFileName, const std::string& sTrim,
                 const ColumnFlags& flgCheck, bool flgOmoji) {
    ctlMSFlexGrid1.setCols(8);
    FileFields fields;
    FileAnalyze(nativePath, strFullPathFileName, fields, flgOmoji);
    if (isBlank(fields.strStamp)) {
        return false;
    }
    ctlMSFlexGrid1.setRows(ctlMSFlexGrid1.Rows() + 1);
    ctlMSFlexGrid1.setRow(lNum);
    // Column k + 1 receives cells[k].
    const std::string_view cells[] = {
        fields.strFileName, trimmedPathName(fields.strPathName, sTrim),
        fields.strSizeKB,   fields.strVer,
        fields.strStamp,    strFullPathFileName,
        fields.strKaku,
    };
    static_assert(std::size(cells) == std::tuple_size_v<ColumnFlags>);
    for (std::size_t k = 0; k < flgCheck.size(); ++k) {
        if (flgCheck[k]) {
            ctlMSFlexGrid1.setCol(static_cast<std::int32_t>(k) + 1);
            ctlMSFlexGrid1.setText(cells[k]);
        }
    }
    return true;
}

} // namespace quiverel
