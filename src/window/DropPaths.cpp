#include "window/DropPaths.h"

#include <QMimeData>
#include <QUrl>

namespace quiverel {
namespace {

// The path of a local file that url names, as the file system's bytes; nothing when it names
// none. A file on another host is not the file of the same path here, a relative path has no
// folder to start from, and a NUL would cut the name short where the file system reads it.
std::optional<QByteArray> localPath(const QUrl& url) {
    const QString host = url.host();
    if (!url.isLocalFile() || !(host.isEmpty() || host == QLatin1String("localhost"))) {
        return std::nullopt;
    }
    // The encoded path keeps bytes that are not UTF-8 as %XX: decoding it gives the name
    // exactly as the file system holds it.
    const QByteArray path = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toUtf8());
    if (!path.startsWith('/') || path.contains('\0')) {
        return std::nullopt;
    }
    return path;
}

std::optional<FileTable> fileTableFromUrls(const QList<QUrl>& urls) {
    FileTable table(1);
    for (const QUrl& url : urls) {
        if (const std::optional<QByteArray> path = localPath(url)) {
            table.push_back(path->toStdString());
        }
    }
    if (table.size() == 1) {
        return std::nullopt;
    }
    return table;
}

// GNOME's file managers put "copy" or "cut" on the first line, then one URL a line. Nothing is
// ever moved here, so both list the files.
QList<QUrl> gnomeCopiedFiles(const QByteArray& text) {
    QList<QUrl> urls;
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (!line.isEmpty()) {
            urls << QUrl::fromEncoded(line);
        }
    }
    return urls;
}

const QString gnomeCopiedFilesType = QStringLiteral("x-special/gnome-copied-files");

} // namespace

std::optional<FileTable> fileTableFromDrop(const QMimeData& data) {
    if (!data.hasUrls()) {
        return std::nullopt;
    }
    return fileTableFromUrls(data.urls());
}

std::optional<FileTable> fileTableFromClipboard(const QMimeData& data) {
    if (data.hasUrls()) {
        return fileTableFromUrls(data.urls());
    }
    if (data.hasFormat(gnomeCopiedFilesType)) {
        return fileTableFromUrls(gnomeCopiedFiles(data.data(gnomeCopiedFilesType)));
    }
    return std::nullopt;
}

} // namespace quiverel
