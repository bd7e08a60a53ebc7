#pragma once

#include "window/FileTable.h"

#include <functional>
#include <optional>

class QEvent;
class QMimeData;

namespace quiverel {

// The FileTable of a drop: the local files and folders it carries, in the drop's order, as the
// file system's own bytes. A URL names a local file only when it is a file: URL of a file this
// machine reaches (see localFilePath); any other URL of the drop is passed over. Nothing when
// the drop carries no local file.
std::optional<FileTable> fileTableFromDrop(const QMimeData& data);

// The FileTable of the clipboard's content, which file managers fill as they would a drop: its
// URL list (or the list GNOME's file managers put there), taken as a drop's. Nothing when the
// clipboard holds no local file.
std::optional<FileTable> fileTableFromClipboard(const QMimeData& data);

// The grid's side of a drag: a drag that carries local files is offered a copy (or a link, never
// a move, so the source never deletes the dropped files) while no batch runs, and its drop is
// handed on to be listed.
class DropTarget {
public:
    // Whether a batch runs now: a drag is refused then.
    using BusyTest = std::function<bool()>;
    // Lists a drop; false when it listed nothing.
    using DropHandler = std::function<bool(const QMimeData&)>;

    DropTarget(BusyTest isBusy, DropHandler listDrop);

    // Takes event when it is a drag's or a drop's and answers it; false for any other event.
    bool takeDragEvent(QEvent& event);

private:
    BusyTest m_isBusy;
    DropHandler m_listDrop;
    // Whether the drag now over the grid carries files the grid can take.
    bool m_dragAcceptable = false;
};

} // namespace quiverel
