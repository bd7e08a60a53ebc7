#pragma once

#include "listing/PeVersionReader.h"

#include <string>

namespace quiverel {

namespace fs {
class FileRef;
}

// The version text of an EXE, OCX or DLL file read from its version resource:
// "major.minor(2 digits at least).low double word", such as "1.05.12". Clears versionText
// first and sets it only when the whole reading worked. Never opens a file that is not a
// regular file and never reads more than the few bytes it needs. Throws std::system_error when
// the file cannot be reached for want of descriptors or memory.
void FileVersionGet(const std::string& nativePath, std::string& versionText);
// The same for a file given by path or by its name inside an open folder.
void FileVersionGet(const fs::FileRef& file, std::string& versionText);

// The version text of fixed file information, as FileVersionGet gives it.
std::string versionTextOf(const FixedFileInfo& info);

} // namespace quiverel
