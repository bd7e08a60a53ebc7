#pragma once

#include "settings/Options.h"

namespace quiverel {

class SettingsStore;

// Reads OptFolder, OptFindFiles and OptTrim, in this order. An absent key gives its default;
// a key stored with an empty text gives the empty text (an emptied pattern stays empty), except
// for OptFolder, whose empty or non-numeric text also gives the default 1.
Options readOptions(SettingsStore& store);

// Writes the three options in the same order, OptFolder as decimal text. Every key is written
// even when an earlier one failed; false when any of them could not be written.
bool saveOptions(SettingsStore& store, const Options& options);

} // namespace quiverel
