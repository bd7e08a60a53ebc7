#pragma once

#include <cstdint>
#include <string>

namespace quiverel::bench {

// A resource-only 32-bit DLL image whose version resource holds the file version
// major.minor.build.revision: DOS header, PE header, one .rsrc section.
std::string minimalVersionDll(std::uint16_t major, std::uint16_t minor, std::uint16_t build,
                              std::uint16_t revision);

} // namespace quiverel::bench
