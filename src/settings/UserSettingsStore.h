#pragma once

#include "platform/SettingsStore.h"

#include <memory>

namespace quiverel {

// The settings store of the user on this platform: the INI file under the user's configuration
// folder on Linux, the registry key such programs keep their settings under on Windows.
std::unique_ptr<SettingsStore> makeUserSettingsStore();

} // namespace quiverel
