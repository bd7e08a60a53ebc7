#include "window/DropPaths.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <utility>

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

// Accepts a drop as a copy (or a link): the source must never take it for a move and delete
// the dropped files.
bool acceptWithoutMoving(QDropEvent& event) {
    for (const Qt::DropAction action : {Qt::CopyAction, Qt::LinkAction}) {
        if (event.possibleActions().testFlag(action)) {
            event.setDropAction(action);
            event.accept();
            return true;
        }
    }
    event.ignore();
    return false;
}

} // namespace

std::optional<FileTable> fileTableFromDrop(const QMimeData& data) {
    if (!data.hasUrls()) {
        return std::nullopt;
    }
    return fileTableFromUrls(data.urls());
}

std::optional<FileTable> fileTableFromClipboard(const QMimeData& data) {
    if (data.hasUrls()) {
        return fileTableFromDrop(data);
    }
    if (data.hasFormat(gnomeCopiedFilesType)) {
        return fileTableFromUrls(gnomeCopiedFiles(data.data(gnomeCopiedFilesType)));
    }
    return std::nullopt;
}

DropTarget::DropTarget(BusyTest isBusy, DropHandler listDrop)
    : m_isBusy(std::move(isBusy)), m_listDrop(std::move(listDrop)) {}

bool DropTarget::takeDragEvent(QEvent& event) {
    switch (event.type()) {
    case QEvent::DragEnter: {
        auto& drag = static_cast<QDragEnterEvent&>(event);
        m_dragAcceptable = !m_isBusy() && fileTableFromDrop(*drag.mimeData());
        if (!m_dragAcceptable || !acceptWithoutMoving(drag)) {
            drag.ignore();
        }
        return true;
    }
    case QEvent::DragMove: {
        auto& drag = static_cast<QDragMoveEvent&>(event);
        if (!m_dragAcceptable || m_isBusy() || !acceptWithoutMoving(drag)) {
            drag.ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto& drop = static_cast<QDropEvent&>(event);
        m_dragAcceptable = false;
        if (!drop.possibleActions().testAnyFlags(Qt::CopyAction | Qt::LinkAction) ||
            !m_listDrop(*drop.mimeData())) {
            drop.ignore();
            return true;
        }
        acceptWithoutMoving(drop);
        return true;
    }
    default:
        return false;
    }
}

} // namespace quiverel
