#pragma once

namespace quiverel {

// The program's version: major.minor.revision.
inline constexpr int versionMajor = 0;
inline constexpr int versionMinor = 9;
inline constexpr int versionRevision = 0;

} // namespace quiverel
