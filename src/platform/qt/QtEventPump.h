#pragma once

#include "platform/EventPump.h"

#include <QElapsedTimer>

namespace quiverel {

// Handles the window's pending events from inside a long operation. Calls that follow one
// another within a few milliseconds handle events only once, so a search through many small
// folders is not slowed by them while the window still answers at once.
class QtEventPump : public EventPump {
public:
    void processPendingEvents() override;

private:
    QElapsedTimer m_sinceLastRound;
};

} // namespace quiverel
