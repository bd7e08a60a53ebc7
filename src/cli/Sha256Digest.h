#pragma once

#include "platform/files/Descriptor.h"

#include <string>

namespace quiverel::cli {

// The SHA-256 of what is left to read of the open file, as 64 lower-case hex digits; false when
// reading failed. Reads in large sequential pieces; safe on several threads at once.
bool sha256OfFile(const fs::Descriptor& file, std::string& digest);

} // namespace quiverel::cli
