#pragma once

#include "settings/SettingsKeys.h"

namespace quiverel {

class SettingsStore;

// The main window's outer left, top, width and height in twips.
struct WindowPlacement {
    float left = settingsKeys::MainLeft.defaultValue;
    float top = settingsKeys::MainTop.defaultValue;
    float width = settingsKeys::MainWidth.defaultValue;
    float height = settingsKeys::MainHeight.defaultValue;
    bool operator==(const WindowPlacement&) const = default;
};

// MainLeft, MainTop, MainWidth and MainHeight, in this order; an absent, empty or non-numeric
// value gives its default.
WindowPlacement readPlacement(SettingsStore& store);

// Writes the four keys in the same order. False when the store refused a value; the others are
// still written.
bool writePlacement(SettingsStore& store, const WindowPlacement& placement);

} // namespace quiverel
