#pragma once

#include "window/FileTable.h"

#include <optional>

class QMimeData;

namespace quiverel {

// The FileTable of a drop: the local files and folders it carries, in the drop's order, as the
// file system's own bytes. A URL names a local file only when it is a file: URL of this machine
// (no host, or "localhost") with an absolute path that holds no NUL; any other URL of the drop
// is passed over. Nothing when the drop carries no local file.
std::optional<FileTable> fileTableFromDrop(const QMimeData& data);

// The FileTable of the clipboard's content, which file managers fill as they would a drop: its
// URL list (or the list GNOME's file managers put there), taken as a drop's. Nothing when the
// clipboard holds no local file.
std::optional<FileTable> fileTableFromClipboard(const QMimeData& data);

} // namespace quiverel
