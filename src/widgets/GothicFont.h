#pragma once

#include <QFont>

namespace quiverel {

// The font of the grid and the dialogs: "ＭＳ Ｐゴシック", 9 points unless told otherwise. Where
// that family is not installed, a Japanese proportional gothic that is takes its place.
QFont gothicFont(double pointSize = 9);

} // namespace quiverel
