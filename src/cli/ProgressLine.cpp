#include "cli/ProgressLine.h"

#include "cli/Terminal.h"
#include <system_error>

namespace quiverel::cli {
namespace {

constexpr std::chrono::seconds quietStart{1};
constexpr std::chrono::milliseconds updateInterval{100};
// Back to the start of the line, the text, and the rest of the line erased.
constexpr std::string_view lineStart = "\r";
constexpr std::string_view eraseRest = "\x1b[K";

// The line showing the count: "12,345 files…".
std::string progressLine(long long files) {
    const std::string digits = std::to_string(files);
    std::string text(lineStart);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            text += ',';
        }
        text += digits[i];
    }
    text += files == 1 ? " file\u2026" : " files\u2026";
    text += eraseRest;
    return text;
}

} // namespace

ProgressLine::ProgressLine(std::FILE* terminal, std::function<long long()> count)
    : m_terminal(terminal), m_count(std::move(count)) {
    if (terminal == nullptr || !isTerminal(terminal)) {
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
            write(progressLine(count));
            shownCount = count;
            shown = true;
        }
        due = std::chrono::steady_clock::now() + updateInterval;
    }
    if (shown) {
        write(std::string(lineStart).append(eraseRest));
    }
}

void ProgressLine::write(const std::string& text) const {
    // A terminal that takes no more is left alone: the line is only a courtesy.
    if (writeText(m_terminal, text)) {
        std::fflush(m_terminal);
    }
}

} // namespace quiverel::cli
