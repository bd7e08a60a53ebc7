#include "window/DropPaths.h"

#include <QMimeData>
#include <QUrl>

namespace quiverel {

std::optional<FileTable> fileTableFromDrop(const QMimeData& data) {
    if (!data.hasUrls()) {
        return std::nullopt;
    }
    FileTable table(1);
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile()) {
            continue;
        }
        // The encoded path keeps bytes that are not UTF-8 as %XX: decoding it gives the name
        // exactly as the file system holds it.
        const QByteArray path =
            QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toUtf8());
        if (!path.isEmpty()) {
            table.push_back(path.toStdString());
        }
    }
    if (table.size() == 1) {
        return std::nullopt;
    }
    return table;
}

} // namespace quiverel
