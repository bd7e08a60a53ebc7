#pragma once

namespace quiverel {

class SettingsStore;

// The main window's outer left, top, width and height in twips.
struct WindowPlacement {
    float left = 1000;
    float top = 1000;
    float width = 6500;
    float height = 6500;
    bool operator==(const WindowPlacement&) const = default;
};

// MainLeft, MainTop, MainWidth and MainHeight, in this order; an absent, empty or non-numeric
// value gives its default.
WindowPlacement readPlacement(SettingsStore& store);

// Writes the four keys in the same order. False when the store refused a value; the others are
// still written.
bool writePlacement(SettingsStore& store, const WindowPlacement& placement);

} // namespace quiverel
