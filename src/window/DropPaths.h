#pragma once

#include "window/FileTable.h"

#include <optional>

class QMimeData;

namespace quiverel {

// The FileTable of a drop: the local files and folders it carries, in the drop's order, as the
// file system's own bytes. Nothing when the drop carries no local file.
std::optional<FileTable> fileTableFromDrop(const QMimeData& data);

} // namespace quiverel
