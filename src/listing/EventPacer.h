#pragma once

#include <chrono>
#include <functional>

namespace quiverel {

// Lets the window's events through from inside long stretches of work on the calling thread:
// at once where the work asks for it (before each descent of a search), and now and then, once
// a while has passed since events were last handled, from inside loops that may run long (the
// entries of a huge folder, the rows of a large listing). The clock is looked at only every few
// steps of such a loop, so the loops stay as fast as they were.
class EventPacer {
public:
    using Clock = std::chrono::steady_clock;
    using TimeSource = std::function<Clock::time_point()>;
    // Short enough that a click on the cancel button is felt at once.
    static constexpr std::chrono::milliseconds defaultInterval{50};
    // Steps of a loop between two looks at the clock.
    static constexpr unsigned stepsPerLook = 64;

    using Yield = std::function<void()>;

    // yield handles the pending events.
    explicit EventPacer(Yield yield, TimeSource now = Clock::now,
                        Clock::duration interval = defaultInterval);

    // Counts the interval from now, as if events had just been handled.
    void restart();
    // Handles pending events now.
    void processPendingEvents();
    // One step of a long loop of quick steps: every few steps, processEventsIfDue.
    void processEventsWhenDue();
    // Handles pending events when the interval has passed since they were last handled, looking
    // at the clock at once (for slow steps, such as a wait for other threads).
    void processEventsIfDue();

private:
    Yield m_yield;
    TimeSource m_now;
    Clock::duration m_interval;
    Clock::time_point m_lastHandled;
    unsigned m_stepsSinceLook = 0;
};

} // namespace quiverel
