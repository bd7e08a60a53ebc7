#include "platform/files/StandardDescriptors.h"

namespace quiverel::fs {

// Windows hands out handles, not the lowest free number: a file the program opens never takes
// the place of a closed standard handle, so there is nothing to keep taken.
void keepStandardDescriptorsTaken() {}

} // namespace quiverel::fs
