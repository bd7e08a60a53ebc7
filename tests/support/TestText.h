#pragma once

// Texts of the program in forms Qt Test compares and prints.

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace quiverel::testing {

// A UTF-8 text (messages, cells).
inline QString utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A native path byte for byte: each byte one character, so no byte is lost or merged.
inline QString bytes(const std::string& path) {
    return QString::fromLatin1(path.data(), static_cast<qsizetype>(path.size()));
}

// Paths each as bytes(), in order.
inline QStringList bytes(const std::vector<std::string>& table) {
    QStringList list;
    for (const std::string& entry : table) {
        list << bytes(entry);
    }
    return list;
}

} // namespace quiverel::testing
