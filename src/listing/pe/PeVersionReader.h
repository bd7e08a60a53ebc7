#pragma once

#include "listing/pe/ByteSource.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace quiverel {

// The two file-version double words of a version resource's fixed file information.
struct FixedFileInfo {
    std::uint32_t fileVersionMS = 0; // major in the high 16 bits, minor in the low 16 bits
    std::uint32_t fileVersionLS = 0; // build in the high 16 bits, revision in the low 16 bits
};

// Reads the fixed file information of the version resource of a Windows executable image
// (PE32 or PE32+): the first name and first language of resource type 16. Nothing when the
// image has no version resource or anything on the way is malformed, cut short or out of
// range. Reads only the few small pieces it needs, each checked against the image's size.
std::optional<FixedFileInfo> readFixedFileInfo(const ByteSource& image);

// The same for an image held in memory.
std::optional<FixedFileInfo> parseFixedFileInfo(const std::uint8_t* bytes, std::size_t size);

} // namespace quiverel
