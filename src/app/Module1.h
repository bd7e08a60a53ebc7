#pragma once

namespace quiverel {

// The program's entry: creates the one main window, loads it (the command line is listed
// while it is still hidden), shows it and runs the event loop. Returns the exit code.
int Main(int argc, char** argv);

} // namespace quiverel
