#include "settings/StoredOptions.h"

#include "platform/SettingsStore.h"
#include "settings/SettingsKeys.h"
#include "settings/StoredNumber.h"

#include <string>

namespace quiverel {

Options readOptions(SettingsStore& store) {
    const auto read = [&store](const char* key, const std::string& defaultText) {
        return store.read(settingsKeys::application, settingsKeys::section, key, defaultText);
    };
    using namespace settingsKeys;
    Options options;
    options.OptFolder = storedInt16(read(OptFolder.name, std::to_string(OptFolder.defaultValue)),
                                    OptFolder.defaultValue);
    options.OptFindFiles = read(OptFindFiles.name, OptFindFiles.defaultValue);
    options.OptTrim = read(OptTrim.name, OptTrim.defaultValue);
    return options;
}

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
