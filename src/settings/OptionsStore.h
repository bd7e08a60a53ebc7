#pragma once

namespace quiverel {

class SettingsStore;
struct Options;

// Writes the three options to the settings store in the order OptFolder (decimal text),
// OptFindFiles, OptTrim. Every key is written even when an earlier one failed; false when any
// of them could not be written.
bool saveOptions(SettingsStore& store, const Options& options);

} // namespace quiverel
