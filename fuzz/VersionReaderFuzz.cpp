// Any bytes as an in-memory image: the version reader either finds nothing or gives fixed file
// information whose version text has the "major.minor.low" form.

#include "FuzzCheck.h"
#include "listing/pe/FileVersion.h"
#include "listing/pe/PeVersionReader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using quiverel::fuzzing::check;

bool isDigits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "major.minor.low": three unsigned numbers, the minor one with two digits at least, each the
// value of its field.
void checkVersionText(const quiverel::FixedFileInfo& info, const std::string& text) {
    const auto firstDot = text.find('.');
    const auto secondDot = text.find('.', firstDot + 1);
    check(firstDot != std::string::npos && secondDot != std::string::npos,
          "version text has two dots");
    const std::string major = text.substr(0, firstDot);
    const std::string minor = text.substr(firstDot + 1, secondDot - firstDot - 1);
    const std::string low = text.substr(secondDot + 1);
    check(isDigits(major) && isDigits(minor) && isDigits(low), "version text is three numbers");
    check(minor.size() >= 2, "minor number has two digits at least");
    check(std::stoul(major) == info.fileVersionMS >> 16, "major number is the high word");
    check(std::stoul(minor) == (info.fileVersionMS & 0xFFFFu), "minor number is the low word");
    check(std::stoull(low) == info.fileVersionLS, "last number is the low double word");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto info = quiverel::parseFixedFileInfo(data, size);
    if (!info) {
        return 0;
    }
    checkVersionText(*info, quiverel::versionText(quiverel::versionNumbersOf(*info)));

    // Everything the reader used lay inside the image, so bytes after its end change nothing.
    std::vector<std::uint8_t> longer(data, data + size);
    longer.resize(size + 64, 0xFF);
    const auto again = quiverel::parseFixedFileInfo(longer.data(), longer.size());
    check(again && again->fileVersionMS == info->fileVersionMS &&
              again->fileVersionLS == info->fileVersionLS,
          "bytes past the end of the image change nothing");
    return 0;
}
