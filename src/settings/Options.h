#pragma once

#include "settings/SettingsKeys.h"

#include <cstdint>
#include <string>

namespace quiverel {

// The three options shared by the main window, the listing and the options dialog.
struct Options {
    // 1: a dropped folder is searched with all its sub-folders; any other value: folders add
    // nothing.
    std::int16_t OptFolder = settingsKeys::OptFolder.defaultValue;
    // The target file pattern; it filters only the contents of dropped folders.
    std::string OptFindFiles = settingsKeys::OptFindFiles.defaultValue;
    // Removed once from the front of the path-name cell where it matches there.
    std::string OptTrim = settingsKeys::OptTrim.defaultValue;
};

} // namespace quiverel
