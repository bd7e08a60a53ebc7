#include "platform/qt/QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace quiverel {

void QtMessageBox::show(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title),
                    QString::fromStdString(text), QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace quiverel
