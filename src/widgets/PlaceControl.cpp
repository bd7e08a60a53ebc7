#include "widgets/PlaceControl.h"

#include <QLabel>

namespace quiverel {

QLabel* placeLabel(const char* text, QWidget* container, const char* name, int left, int top,
                   int width, int height) {
    QLabel* label = placeControl(new QLabel(QString::fromUtf8(text), container), name, left, top,
                                 width, height);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace quiverel
