#pragma once

namespace quiverel::fs {

// Keeps the descriptors 0, 1 and 2 taken, for a program started with one of them closed: the
// next file, pipe or connection it opened would get that number, and what is meant for standard
// output or error (a warning, say) would be written into it. A closed one is opened on
// /dev/null the wrong way round (standard input for writing, output and error for reading), so
// that using it still fails as it did while it was closed. To be called first thing in main.
void keepStandardDescriptorsTaken();

} // namespace quiverel::fs
