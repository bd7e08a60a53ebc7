#include "window/DropPaths.h"

#include "window/LocalFilePath.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <string>
#include <string_view>
#include <utility>

namespace quiverel {
namespace {

// The path of a local file that url names, as the file system's bytes; nothing when it names
// none.
std::optional<std::string> localPath(const QUrl& url) {
    if (!url.isLocalFile()) {
        return std::nullopt;
    }
    // The encoded path keeps bytes that are not UTF-8 as %XX: decoding it gives the name
    // exactly as the file system holds it.
    const QByteArray path = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toUtf8());
    return localFilePath(url.host().toStdString(), std::string_view(path.data(), path.size()));
}

std::optional<FileTable> fileTableFromUrls(const QList<QUrl>& urls) {
    FileTable table(1);
    for (const QUrl& url : urls) {
        if (std::optional<std::string> path = localPath(url)) {
            table.push_back(std::move(*path));
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
