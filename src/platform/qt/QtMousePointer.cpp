#include "platform/qt/QtMousePointer.h"

#include <QApplication>
#include <QCursor>

namespace quiverel {

QtMousePointer::~QtMousePointer() {
    set(Shape::Default);
}

void QtMousePointer::set(Shape shape) {
    const bool busy = shape == Shape::Busy;
    if (busy == m_busy) {
        return;
    }
    m_busy = busy;
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

} // namespace quiverel
