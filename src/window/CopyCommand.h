#pragma once

namespace quiverel {

class Clipboard;
class GridModel;
class MessageBox;
class MousePointer;

// The Edit menu's copy command: puts the selected block of the list grid on the clipboard as
// tab-separated text and tells the user which columns and rows went there.
class CopyCommand {
public:
    CopyCommand(GridModel& grid, MessageBox& messageBox, Clipboard& clipboard,
                MousePointer& mousePointer);

    // Copies the grid's selection, or refuses when it touches the heading row or the "No."
    // column. Afterwards the current cell is the block's top-left corner and the selection
    // reaches to its bottom-right corner, whichever way the user dragged.
    void copySelection();

    // Puts the text of the grid's selection on the clipboard; false when the clipboard could
    // not take it. The selection must lie among the file rows and data columns.
    bool ClipboardSet(const GridModel& ctlMSFlexGrid1);

private:
    GridModel& m_grid;
    MessageBox& m_messageBox;
    Clipboard& m_clipboard;
    MousePointer& m_mousePointer;
};

} // namespace quiverel
