#include "widgets/EnterPressesButton.h"

#include <QKeyEvent>
#include <QPushButton>

namespace quiverel {
namespace {

class EnterKeyFilter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto& key = static_cast<const QKeyEvent&>(*event);
        const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
        if (!enter || (key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
            return false;
        }
        auto* button = static_cast<QPushButton*>(watched);
        if (button->isEnabled()) {
            button->click();
        }
        return true;
    }
};

} // namespace

void letEnterPressButton(QPushButton& button) {
    button.installEventFilter(new EnterKeyFilter(&button));
}

} // namespace quiverel
