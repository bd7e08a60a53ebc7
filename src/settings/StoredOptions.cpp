#include "settings/StoredOptions.h"

#include "settings/SettingsKeys.h"
#include "settings/StoredNumber.h"
#include "platform/SettingsStore.h"

#include <string>

namespace quiverel {

Options readOptions(SettingsStore& store) {
    const Options defaults;
    const auto read = [&store](const char* key, const std::string& defaultText) {
        return store.read(settingsKeys::application, settingsKeys::section, key, defaultText);
    };
    Options options;
    options.OptFolder = storedInt16(
        read(settingsKeys::OptFolder, std::to_string(defaults.OptFolder)), defaults.OptFolder);
    options.OptFindFiles = read(settingsKeys::OptFindFiles, defaults.OptFindFiles);
    options.OptTrim = read(settingsKeys::OptTrim, defaults.OptTrim);
    return options;
}

} // namespace quiverel
