#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace quiverel::cli {

// A line on a terminal that tells how many files a listing has found ("12,345 files…"), shown
// once the listing has taken a second and rewritten at most ten times a second from a thread of
// its own, so a long wait for one file does not freeze it. Shows nothing on a stream that is not
// a terminal, or none.
class ProgressLine {
public:
    // count may be called from the line's own thread.
    ProgressLine(std::FILE* terminal, std::function<long long()> count);
    // Clears the line when it was shown.
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // Stops showing the line and clears it; the terminal is the caller's again.
    void end();

private:
    void run();
    void write(const std::string& text) const;

    std::FILE* const m_terminal;
    const std::function<long long()> m_count;
    std::mutex m_mutex;
    std::condition_variable m_ended;
    bool m_ending = false;
    std::thread m_thread;
};

} // namespace quiverel::cli
