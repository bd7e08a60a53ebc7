#include "platform/qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace quiverel {

void QtClipboard::clear() {
    QGuiApplication::clipboard()->clear();
}

bool QtClipboard::setText(const std::string& text) {
    const QString qtext = QString::fromStdString(text);
    QGuiApplication::clipboard()->setText(qtext);
    return QGuiApplication::clipboard()->text() == qtext;
}

} // namespace quiverel
