#include "listing/EventPacer.h"

#include <utility>

namespace quiverel {

EventPacer::EventPacer(Yield yield, TimeSource now, Clock::duration interval)
    : m_yield(std::move(yield)), m_now(std::move(now)), m_interval(interval),
      m_lastHandled(m_now()) {}

void EventPacer::restart() {
    m_lastHandled = m_now();
    m_stepsSinceLook = 0;
}

void EventPacer::processPendingEvents() {
    m_yield();
    // Handling events may take long (a dialog opened meanwhile): the interval counts from here.
    m_lastHandled = m_now();
    m_stepsSinceLook = 0;
}

void EventPacer::processEventsWhenDue() {
    if (++m_stepsSinceLook < stepsPerLook) {
        return;
    }
    processEventsIfDue();
}

void EventPacer::processEventsIfDue() {
    m_stepsSinceLook = 0;
    if (m_now() - m_lastHandled >= m_interval) {
        processPendingEvents();
    }
}

} // namespace quiverel
