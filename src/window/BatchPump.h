#pragma once

#include "platform/EventPump.h"

#include <QElapsedTimer>

#include <chrono>
#include <functional>

namespace quiverel {

class ProcessingWindow;

// The event pump a batch yields through: once the batch has run for the delay, each yield also
// shows the processing window with the files found so far, then handles pending events.
class BatchPump : public EventPump {
public:
    BatchPump(EventPump& events, ProcessingWindow& window, std::function<long long()> filesFound,
              std::chrono::milliseconds delay);

    // A batch starts: the delay counts from now.
    void start();
    // The batch has ended: the processing window goes away.
    void finish();

    void processPendingEvents() override;

private:
    EventPump& m_events;
    ProcessingWindow& m_window;
    std::function<long long()> m_filesFound;
    std::chrono::milliseconds m_delay;
    QElapsedTimer m_running;
};

} // namespace quiverel
