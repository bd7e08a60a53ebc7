#include "window/CopyCommand.h"

#include "grid/GridModel.h"
#include "platform/Clipboard.h"
#include "platform/MessageBox.h"
#include "platform/MousePointer.h"
#include "window/ClipboardText.h"
#include "window/texts.h"

#include <new>
#include <string>

namespace quiverel {

namespace {

std::string copiedMessage(const CellRect& rect) {
    return copyTexts::columns + std::to_string(rect.firstCol) + copyTexts::rangeSeparator +
           std::to_string(rect.lastCol) + copyTexts::rows + std::to_string(rect.firstRow) +
           copyTexts::rangeSeparator + std::to_string(rect.lastRow) + copyTexts::copiedEnd;
}

} // namespace

CopyCommand::CopyCommand(GridModel& grid, MessageBox& messageBox, Clipboard& clipboard,
                         MousePointer& mousePointer)
    : m_grid(grid), m_messageBox(messageBox), m_clipboard(clipboard), m_mousePointer(mousePointer) {
}

void CopyCommand::copySelection() {
    m_grid.setRedraw(false);
    const CellRect rect = normalisedSelection(m_grid);

    std::string message = copyTexts::nothingSelected;
    if (coversOnlyData(rect)) {
        m_mousePointer.set(MousePointer::Shape::Busy);
        const bool copied = ClipboardSet(m_grid);
        m_mousePointer.set(MousePointer::Shape::Default);
        message = copied ? copiedMessage(rect) : copyTexts::failed;
    }
    m_messageBox.show(message, copyTexts::title);

    m_grid.setCol(rect.firstCol);
    m_grid.setRow(rect.firstRow);
    m_grid.setColSel(rect.lastCol);
    m_grid.setRowSel(rect.lastRow);
    m_grid.setRedraw(true);
}

bool CopyCommand::ClipboardSet(const GridModel& ctlMSFlexGrid1) {
    const CellRect rect = normalisedSelection(ctlMSFlexGrid1);
    m_clipboard.clear();
    try {
        return m_clipboard.setText(clipboardText(ctlMSFlexGrid1, rect));
    } catch (const std::bad_alloc&) {
        // A block too large for memory: the clipboard stays empty and the grid is untouched.
        return false;
    }
}

} // namespace quiverel
