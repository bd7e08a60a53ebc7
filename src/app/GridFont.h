#pragma once

#include <QFont>

namespace quiverel {

// The grid's font, 9 points. Where its family is not installed, a Japanese proportional gothic
// that is takes its place.
QFont gridFont();

} // namespace quiverel
