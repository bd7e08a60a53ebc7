#include "settings/OptionsStore.h"

#include "platform/SettingsStore.h"
#include "settings/Options.h"
#include "settings/SettingsKeys.h"

#include <string>

namespace quiverel {

bool saveOptions(SettingsStore& store, const Options& options) {
    const auto write = [&store](const char* key, const std::string& value) {
        return store.write(settingsKeys::application, settingsKeys::section, key, value);
    };
    bool saved = write(settingsKeys::OptFolder.name, std::to_string(options.OptFolder));
    saved = write(settingsKeys::OptFindFiles.name, options.OptFindFiles) && saved;
    saved = write(settingsKeys::OptTrim.name, options.OptTrim) && saved;
    return saved;
}

} // namespace quiverel
