#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace quiverel {

namespace fs {
class FileRef;
struct FileStatus;
} // namespace fs
struct FixedFileInfo;

// A file version: major, minor, build, revision.
using VersionNumbers = std::array<std::uint16_t, 4>;

// The file version of an EXE, OCX or DLL file, read from its version resource; none when the
// file has none or it cannot be read. status is what was found of the file (following links)
// found: a file that was not a regular file then is never opened. Never reads more than the few
// bytes it needs. Throws std::system_error when the file cannot be reached for want of
// descriptors or memory.
std::optional<VersionNumbers> readFileVersion(const fs::FileRef& file,
                                              const fs::FileStatus& status);

// The four numbers of the two file-version double words.
VersionNumbers versionNumbersOf(const FixedFileInfo& info);

// "major.minor(2 digits at least).low double word", such as "1.05.12" for 1.5.0.12.
std::string versionText(const VersionNumbers& version);
void appendVersionText(std::string& out, const VersionNumbers& version);

} // namespace quiverel
