#pragma once

class QToolBar;
class QWidget;

namespace quiverel {

// The toolbar tbToolBar: the buttons "Print" and "Copy" (their keys, held as the actions' data
// and object names) with their tooltips and 16 x 16 images from the image list imlIcons.
QToolBar* buildToolBar(QWidget* parent);

} // namespace quiverel
