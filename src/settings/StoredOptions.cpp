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

} // namespace quiverel
