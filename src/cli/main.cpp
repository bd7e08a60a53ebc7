#include "cli/ListerArguments.h"
#include "cli/ListerRun.h"
#include "cli/ListerTexts.h"

#include <cstdio>
#include <cstdlib>

using namespace quiverel::cli;

int main(int argc, char* argv[]) {
    const ListerCommand command = parseArguments(std::vector<std::string>(argv, argv + argc));
    switch (command.action) {
    case ListerCommand::Action::Help:
        std::fputs(texts::help, stdout);
        return EXIT_SUCCESS;
    case ListerCommand::Action::Version:
        std::fputs(texts::versionLine, stdout);
        return EXIT_SUCCESS;
    case ListerCommand::Action::Usage:
        std::fprintf(stderr, "%s: %s\n%s", texts::programName, command.problem.c_str(),
                     texts::usageHint);
        return exitCode::usage;
    case ListerCommand::Action::List:
        break;
    }
    return runLister(command.settings, stdout);
}
