#include "settings/UserSettingsStore.h"

#include "settings/QtSettingsStore.h"

namespace quiverel {

std::unique_ptr<SettingsStore> makeUserSettingsStore() {
    return std::make_unique<QtSettingsStore>();
}

} // namespace quiverel
