#include "widgets/FixedDialog.h"

#include "widgets/GothicFont.h"
#include "widgets/Twips.h"

#include <QDialog>
#include <QSize>

namespace quiverel {

void setUpFixedDialog(QDialog& dialog, const char* name, const char* caption, int width,
                      int height) {
    dialog.setObjectName(QString::fromLatin1(name));
    dialog.setWindowTitle(QString::fromUtf8(caption));
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint);
    dialog.setModal(true);
    dialog.setFont(gothicFont());
    dialog.setFixedSize(twipsSize(dialog, width, height));
}

} // namespace quiverel
