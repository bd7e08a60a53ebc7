#include "cli/ListerArguments.h"
#include "cli/ListerMessages.h"
#include "cli/ListerRun.h"
#include "cli/ListerTexts.h"
#include "cli/TableFormat.h"
#include "cli/Terminal.h"
#include "generated/ProgramInfo.h"
#include "platform/files/StandardDescriptors.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace quiverel::cli;

namespace {

// Writes the help or version text; fails like a listing whose output cannot be written.
int writeOut(const char* text) {
    if (!writeText(stdout, text) || std::fflush(stdout) != 0) {
        writeText(stderr,
                  std::string(texts::programName) + ": " +
                      messageText(userLanguage(), Message::CannotWrite, {std::strerror(errno)}) +
                      '\n');
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
    prepareStandardStreams();
    const ListerCommand command = parseArguments(programArguments(argc, argv));
    switch (command.action) {
    case ListerCommand::Action::Help:
        return writeOut(texts::help);
    case ListerCommand::Action::Version:
        return writeOut(versionLine().c_str());
    case ListerCommand::Action::Usage: {
        // The problem quotes the argument, which may hold control characters.
        std::string problem;
        appendTsvCell(problem, command.problem);
        writeText(stderr, std::string(texts::programName) + ": " + problem + '\n' +
                              messageText(userLanguage(), Message::UsageHint));
        return exitCode::usage;
    }
    case ListerCommand::Action::List:
        break;
    }
    return runLister(command.settings, stdout);
}
