#include "window/MainToolBar.h"

#include "window/texts.h"

#include <QAction>
#include <QIcon>
#include <QToolBar>

namespace quiverel {
namespace {

void addButton(QToolBar& toolBar, const char* key, const char* toolTip, const char* image) {
    // The button shows only its image; its text names it for assistive technology.
    QAction* button =
        toolBar.addAction(QIcon(QString::fromLatin1(image)), QString::fromUtf8(toolTip));
    button->setObjectName(QString::fromLatin1(key));
    button->setData(QString::fromLatin1(key));
    button->setToolTip(QString::fromUtf8(toolTip));
}

} // namespace

QToolBar* buildToolBar(QWidget* parent) {
    auto* toolBar = new QToolBar(parent);
    toolBar->setObjectName(QStringLiteral("tbToolBar"));
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setIconSize(QSize(16, 16));
    toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    addButton(*toolBar, "Print", mainTexts::toolTipPrint, ":/imlIcons/print.png");
    addButton(*toolBar, "Copy", mainTexts::toolTipCopy, ":/imlIcons/copy.png");
    return toolBar;
}

} // namespace quiverel
