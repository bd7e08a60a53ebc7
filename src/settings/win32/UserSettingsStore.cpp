#include "settings/UserSettingsStore.h"

#include "settings/win32/RegistrySettingsStore.h"

namespace quiverel {

std::unique_ptr<SettingsStore> makeUserSettingsStore() {
    return std::make_unique<RegistrySettingsStore>();
}

} // namespace quiverel
