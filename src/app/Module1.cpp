#include "app/Module1.h"

#include <QApplication>

namespace quiverel {

int Main(int argc, char** argv) {
    QApplication application(argc, argv);
    return 0;
}

} // namespace quiverel
