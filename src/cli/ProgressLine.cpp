#include "cli/ProgressLine.h"

#include <system_error>
#include <unistd.h>

namespace quiverel::cli {
namespace {

constexpr std::chrono::seconds quietStart{1};
constexpr std::chrono::milliseconds updateInterval{100};
// Back to the start of the line, the text, and the rest of the line erased.
constexpr const char* lineStart = "\r";
constexpr const char* eraseRest = "\x1b[K";

// "12,345 files…"
std::string progressText(long long files) {
    std::string digits = std::to_string(files);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), 1, ',');
    }
    return digits + (files == 1 ? " file\u2026" : " files\u2026");
}

} // namespace

ProgressLine::ProgressLine(int fd, std::function<long long()> count)
    : m_fd(fd), m_count(std::move(count)) {
    if (::isatty(fd) != 1) {
        return;
    }
    try {
        m_thread = std::thread([this] { run(); });
    } catch (const std::system_error&) {
        // Without a thread the listing goes on without its progress line.
    }
}

ProgressLine::~ProgressLine() {
    end();
}

void ProgressLine::end() {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_ending = true;
    }
    m_ended.notify_all();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void ProgressLine::run() {
    std::unique_lock<std::mutex> lock(m_mutex);
    auto due = std::chrono::steady_clock::now() + quietStart;
    bool shown = false;
    long long shownCount = -1;
    while (!m_ended.wait_until(lock, due, [this] { return m_ending; })) {
        const long long count = m_count();
        if (count != shownCount) {
            write(lineStart + progressText(count) + eraseRest);
            shownCount = count;
            shown = true;
        }
        due = std::chrono::steady_clock::now() + updateInterval;
    }
    if (shown) {
        write(std::string(lineStart) + eraseRest);
    }
}

void ProgressLine::write(const std::string& text) const {
    // A terminal that takes no more is left alone: the line is only a courtesy.
    static_cast<void>(::write(m_fd, text.data(), text.size()));
}

} // namespace quiverel::cli
