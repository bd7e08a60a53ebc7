#pragma once

// Runs part of a test in a forked child, for what must not touch the test process itself:
// dropped privileges, lowered limits, a private mount namespace.

#include <cerrno>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace quiverel::testing {

// The child's exit code when what it needs (privilege change, namespace) is unavailable.
inline constexpr int childCannotRun = 77;

// Runs body in a child process and returns its result as the child's exit code, or 128 plus
// the signal number when the child was killed.
inline int runInChild(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        int code = 1;
        try {
            code = body();
        } catch (...) {
            code = 3;
        }
        ::_exit(code);
    }
    if (child < 0) {
        return -1;
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            return -1;
        }
    }
    if (WIFSIGNALED(status)) {
        return 128 + WTERMSIG(status);
    }
    return WEXITSTATUS(status);
}

} // namespace quiverel::testing
