#include "cli/ListerArguments.h"
#include "cli/ListerMessages.h"
#include "cli/ListerRun.h"
#include "cli/ListerTexts.h"
#include "cli/TableFormat.h"
#include "generated/ProgramInfo.h"
#include "platform/posix/StandardDescriptors.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace quiverel::cli;

namespace {

// Writes the help or version text; fails like a listing whose output cannot be written.
int writeText(const char* text) {
    if (std::fputs(text, stdout) < 0 || std::fflush(stdout) != 0) {
        std::fprintf(
            stderr, "%s: %s\n", texts::programName,
            messageText(userLanguage(), Message::CannotWrite, {std::strerror(errno)}).c_str());
        return exitCode::writeError;
    }
    return EXIT_SUCCESS;
}

std::string versionLine() {
    return std::string(texts::programName) + ' ' + quiverel::program::versionText + '\n';
}

} // namespace

int main(int argc, char* argv[]) {
    quiverel::fs::keepStandardDescriptorsTaken();
    const ListerCommand command = parseArguments(std::vector<std::string>(argv, argv + argc));
    switch (command.action) {
    case ListerCommand::Action::Help:
        return writeText(texts::help);
    case ListerCommand::Action::Version:
        return writeText(versionLine().c_str());
    case ListerCommand::Action::Usage: {
        // The problem quotes the argument, which may hold control characters.
        std::string problem;
        appendTsvCell(problem, command.problem);
        std::fprintf(stderr, "%s: %s\n%s", texts::programName, problem.c_str(),
                     messageText(userLanguage(), Message::UsageHint).c_str());
        return exitCode::usage;
    }
    case ListerCommand::Action::List:
        break;
    }
    return runLister(command.settings, stdout);
}
