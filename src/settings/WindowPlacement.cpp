#include "settings/WindowPlacement.h"

#include "platform/SettingsStore.h"
#include "settings/SettingsKeys.h"
#include "settings/StoredNumber.h"

#include <array>
#include <utility>

namespace quiverel {
namespace {

// The four keys with the member each one holds, in the order they are read and written.
constexpr std::array<std::pair<const char*, float WindowPlacement::*>, 4> placementKeys = {{
    {settingsKeys::MainLeft.name, &WindowPlacement::left},
    {settingsKeys::MainTop.name, &WindowPlacement::top},
    {settingsKeys::MainWidth.name, &WindowPlacement::width},
    {settingsKeys::MainHeight.name, &WindowPlacement::height},
}};

} // namespace

WindowPlacement readPlacement(SettingsStore& store) {
    const WindowPlacement defaults;
    WindowPlacement placement;
    for (const auto& [key, member] : placementKeys) {
        const float fallback = defaults.*member;
        placement.*member =
            storedSingle(store.read(settingsKeys::application, settingsKeys::section, key,
                                    formatSingle(fallback)),
                         fallback);
    }
    return placement;
}

bool writePlacement(SettingsStore& store, const WindowPlacement& placement) {
    bool allWritten = true;
    for (const auto& [key, member] : placementKeys) {
        allWritten &= store.write(settingsKeys::application, settingsKeys::section, key,
                                  formatSingle(placement.*member));
    }
    return allWritten;
}

} // namespace quiverel
