#pragma once

// Runs the built quiverel2000-list (the path QUIVEREL_LISTER) in a child process with the time
// zone set to UTC, so that time stamps are known, and collects its exit status and output.

#include "support/ChildProcess.h"
#include "support/TempTree.h"

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace quiverel::testing {

struct ListerOutcome {
    int status = -1; // exit status; 128 + signal when killed; childCannotRun when not started
    std::string out;
    std::string err;
};

inline std::string readWholeFile(const std::string& path) {
    std::ifstream stream(path, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}

// Runs the lister with args in workingDirectory (this process's own when empty). Its output is
// captured, or goes to outPath when one is given (and is then not read back). prepare runs in
// the child just before the lister starts; when it returns false, the lister is not started.
inline ListerOutcome runLister(std::vector<std::string> args,
                               const std::string& workingDirectory = {},
                               const std::string& outPath = {},
                               const std::function<bool()>& prepare = {}) {
    const TempTree scratch;
    const bool captureOut = outPath.empty();
    const std::string outFile = captureOut ? scratch.path("out") : outPath;
    const std::string errPath = scratch.path("err");
    args.insert(args.begin(), QUIVEREL_LISTER);
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);

    ListerOutcome outcome;
    outcome.status = runInChild([&] {
        const int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
        if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0 ||
            (!workingDirectory.empty() && ::chdir(workingDirectory.c_str()) != 0) ||
            ::setenv("TZ", "UTC0", 1) != 0) {
            return 126;
        }
        if (prepare && !prepare()) {
            return childCannotRun;
        }
        ::execv(QUIVEREL_LISTER, argv.data());
        return 127;
    });
    outcome.out = captureOut ? readWholeFile(outFile) : std::string();
    outcome.err = readWholeFile(errPath);
    return outcome;
}

} // namespace quiverel::testing
