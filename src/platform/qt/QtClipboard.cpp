#include "platform/qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace quiverel {
namespace {

const QString plainText = QStringLiteral("text/plain");
const QString utf8Text = QStringLiteral("text/plain;charset=utf-8");

// Plain text held in UTF-8 as it was given. Whoever asks for it (a program pasting it, through
// the system) gets a copy of its own, which outlives the clipboard's text should that be
// replaced meanwhile; a reader that wants a QString gets it converted.
class Utf8Text : public QMimeData {
public:
    explicit Utf8Text(std::string text) : m_text(std::move(text)) {}

    QStringList formats() const override { return {plainText, utf8Text}; }

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType) const override {
        if (mimeType != plainText && mimeType != utf8Text) {
            return {};
        }
        return QByteArray(m_text.data(), static_cast<qsizetype>(m_text.size()));
    }

private:
    const std::string m_text;
};

} // namespace

void QtClipboard::clear() {
    QGuiApplication::clipboard()->clear();
}

bool QtClipboard::setText(std::string text) {
    QClipboard& clipboard = *QGuiApplication::clipboard();
    auto* held = new Utf8Text(std::move(text));
    clipboard.setMimeData(held);
    return clipboard.mimeData() == held;
}

} // namespace quiverel
