#include "window/Resources.h"

#include <QtGlobal>

// Qt's resource initialiser lives in the global namespace.
static void initAppResources() {
    Q_INIT_RESOURCE(resources);
}

namespace quiverel {

void initResources() {
    initAppResources();
}

} // namespace quiverel
