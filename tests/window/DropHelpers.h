#pragma once

// Drops as a user makes them: file URLs dragged onto the grid and let go there.

#include "widgets/FlexGridView.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QStringList>
#include <QUrl>

#include <memory>

namespace quiverel::testing {

inline std::unique_ptr<QMimeData> fileDrop(const QStringList& paths) {
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const QString& path : paths) {
        urls << QUrl::fromLocalFile(path);
    }
    data->setUrls(urls);
    return data;
}

inline bool dragEnter(FlexGridView& grid, const QMimeData& data) {
    QDragEnterEvent event(QPoint(20, 20), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                          Qt::NoModifier);
    event.setAccepted(false);
    QCoreApplication::sendEvent(grid.viewport(), &event);
    return event.isAccepted();
}

// Drags the data onto the grid and drops it there, as a user does; true when the grid took it.
inline bool drop(FlexGridView& grid, const QMimeData& data,
                 Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction) {
    QDragEnterEvent enter(QPoint(20, 20), actions, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QCoreApplication::sendEvent(grid.viewport(), &enter);
    // Qt delivers the drop only to a widget that took the drag when it entered.
    QDropEvent event(QPointF(20, 20), actions, &data, Qt::LeftButton, Qt::NoModifier);
    event.setAccepted(false);
    QCoreApplication::sendEvent(grid.viewport(), &event);
    // The source must never take the drop for a move and delete what was dropped.
    return event.isAccepted() && event.dropAction() == Qt::CopyAction;
}

} // namespace quiverel::testing
