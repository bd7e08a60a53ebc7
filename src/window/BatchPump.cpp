#include "window/BatchPump.h"

#include "window/ProcessingWindow.h"

#include <utility>

namespace quiverel {

BatchPump::BatchPump(EventPump& events, ProcessingWindow& window,
                     std::function<long long()> filesFound, std::chrono::milliseconds delay)
    : m_events(events), m_window(window), m_filesFound(std::move(filesFound)), m_delay(delay) {}

void BatchPump::start() {
    m_running.start();
}

void BatchPump::finish() {
    m_running.invalidate();
    m_window.finish();
}

void BatchPump::processPendingEvents() {
    if (m_running.isValid() && m_running.elapsed() >= m_delay.count()) {
        m_window.showProgress(m_filesFound());
    }
    m_events.processPendingEvents();
}

} // namespace quiverel
