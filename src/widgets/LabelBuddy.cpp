#include "widgets/LabelBuddy.h"

#include <QLabel>
#include <QRegularExpression>

namespace quiverel {

void tieLabel(QLabel& label, QWidget& control) {
    label.setBuddy(&control);
    static const QRegularExpression closingColon(QStringLiteral("[\\s:：]+$"));
    control.setAccessibleName(label.text().remove(closingColon));
}

} // namespace quiverel
