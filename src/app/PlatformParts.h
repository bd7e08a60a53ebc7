#pragma once

#include "platform/ProgramLauncher.h"
#include "platform/SystemInfoLocator.h"

#include <memory>
#include <string>
#include <vector>

namespace quiverel {

// What differs between the desktops at the composition root, one implementation per platform.

// The paths the program was started with, as native paths, its own name and the options the
// application took left out. Linux hands over argv's bytes; Windows' UTF-16 command line is
// split as Windows splits it (quotation marks join blanks into an argument).
std::vector<std::string> programArguments(int argc, char** argv);

// Where the system keeps its system-information program, and how programs are started.
std::unique_ptr<SystemInfoLocator> makeSystemInfoLocator();
std::unique_ptr<ProgramLauncher> makeProgramLauncher();

} // namespace quiverel
