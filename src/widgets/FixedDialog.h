#pragma once

class QDialog;

namespace quiverel {

// Makes dialog the program's kind of dialog box: named, captioned, modal, of a fixed size
// without minimize and maximize boxes, in the gothic font, its client area width × height
// twips. Owned by its parent window, it is not shown in the task bar.
void setUpFixedDialog(QDialog& dialog, const char* name, const char* caption, int width,
                      int height);

} // namespace quiverel
