// A stand-in for a running program as far as the settings store goes, for the tests that need
// a second process: one that must not hang the test, one with other rights, writers at once.
//
//   SettingsClient start
//       What the window's start does with the store ($XDG_CONFIG_HOME): reads the options and
//       the placement, prints the seven values as "Key=value" lines, then stores the placement
//       as the first layout step does and prints "stored=1" or "stored=0".
//   SettingsClient options|placement <tag> <count>
//       Saves the options (OptFindFiles and OptTrim "<tag>-<i>") or the placement (MainLeft
//       <tag> * 100000 + i) count times, as an options dialog or a resized window does. The
//       exit code is the number of writes that reported a failure (at most 100).

#include "settings/Options.h"
#include "settings/QtSettingsStore.h"
#include "settings/StoredNumber.h"
#include "settings/StoredOptions.h"
#include "settings/WindowPlacement.h"

#include <algorithm>
#include <cstdio>
#include <string>

using namespace quiverel;

namespace {

int start(QtSettingsStore& store) {
    const Options options = readOptions(store);
    const WindowPlacement placement = readPlacement(store);
    std::printf("OptFolder=%d\nOptFindFiles=%s\nOptTrim=%s\n", options.OptFolder,
                options.OptFindFiles.c_str(), options.OptTrim.c_str());
    std::printf("MainLeft=%s\nMainTop=%s\nMainWidth=%s\nMainHeight=%s\n",
                formatSingle(placement.left).c_str(), formatSingle(placement.top).c_str(),
                formatSingle(placement.width).c_str(), formatSingle(placement.height).c_str());
    std::printf("stored=%d\n", writePlacement(store, placement) ? 1 : 0);
    return 0;
}

int keepWriting(QtSettingsStore& store, const std::string& what, const std::string& tag,
                int count) {
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        bool written = false;
        if (what == "options") {
            const std::string text = tag + '-' + std::to_string(i);
            written = saveOptions(store, Options{std::int16_t(i % 2), text, text});
        } else {
            const float left = float(std::stoi(tag) * 100000 + i);
            written = writePlacement(store, WindowPlacement{left, 1000, 6500, 6500});
        }
        failures += written ? 0 : 1;
    }
    return std::min(failures, 100);
}

} // namespace

int main(int argc, char** argv) {
    QtSettingsStore store;
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "start" && argc == 2) {
        return start(store);
    }
    if ((mode == "options" || mode == "placement") && argc == 4) {
        return keepWriting(store, mode, argv[2], std::stoi(argv[3]));
    }
    std::fprintf(stderr, "usage: SettingsClient start | options|placement <tag> <count>\n");
    return 2;
}
