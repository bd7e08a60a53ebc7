#pragma once

#include "platform/files/FileSystem.h"

#include <string_view>

namespace quiverel {

// Asks the system to start reading the first pages of an executable (a name ending in .exe,
// .dll or .ocx, letter case ignored) in a folder, so that the reads of a folder's versions wait
// for the disk side by side rather than one after the other. Only a hint: a name that cannot be
// opened at once (a link, gone, no descriptor free) is passed over, and nothing is read here.
void readAheadVersion(const fs::Descriptor& folder, const char* name, std::string_view nameText);

} // namespace quiverel
