#include "listing/EventPacer.h"

#include "support/FakePlatform.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace quiverel {
namespace {

using namespace std::chrono_literals;
using testing::FakeEventPump;

// A clock that moves only when the test says so.
struct ManualClock {
    EventPacer::Clock::time_point now{};
    EventPacer::TimeSource source() {
        return [this] {
            return now;
        };
    }
};

class EventPacerTest : public ::testing::Test {
protected:
    // Takes steps of a long loop; returns how many of them let events through.
    int steps(int count) {
        const int before = pump.calls;
        for (int i = 0; i < count; ++i) {
            pacer.processEventsWhenDue();
        }
        return pump.calls - before;
    }

    FakeEventPump pump;
    ManualClock clock;
    EventPacer pacer{[this] { pump.processPendingEvents(); }, clock.source(), 50ms};
};

TEST_F(EventPacerTest, LoopStepsLetEventsThroughOnlyOnceTheIntervalHasPassed) {
    constexpr int look = EventPacer::stepsPerLook;
    struct Case {
        const char* name;
        std::chrono::milliseconds advance; // before the steps
        int steps;
        int yields;
    };
    const Case cases[] = {
        {"too soon", 49ms, look * 3, 0},
        {"due, but the clock is looked at only every few steps", 1ms, look - 1, 0},
        {"due at the next look, then not again so soon", 0ms, look * 4, 1},
        {"a long pause: one yield, not one per missed interval", 10s, look * 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clock.now += c.advance;
        EXPECT_EQ(steps(c.steps), c.yields);
    }
}

TEST_F(EventPacerTest, YieldingAtOnceRestartsTheIntervalFromWhenEventsWereHandled) {
    clock.now += 40ms;
    // Handling the events takes a while (a dialog was open): the interval counts from its end.
    pump.onPump = [this] {
        clock.now += 30ms;
    };
    pacer.processPendingEvents();
    EXPECT_EQ(pump.calls, 1);
    pump.onPump = nullptr;

    clock.now += 49ms;
    EXPECT_EQ(steps(EventPacer::stepsPerLook * 2), 0);
    clock.now += 1ms;
    EXPECT_EQ(steps(EventPacer::stepsPerLook), 1);
}

TEST_F(EventPacerTest, ASlowStepLooksAtTheClockAtOnce) {
    struct Case {
        const char* name;
        std::chrono::milliseconds advance; // before the step
        int yields;
    };
    const Case cases[] = {
        {"too soon", 49ms, 0},
        {"due", 1ms, 1},
        {"just handled", 0ms, 0},
        {"due again", 50ms, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clock.now += c.advance;
        const int before = pump.calls;
        pacer.processEventsIfDue();
        EXPECT_EQ(pump.calls - before, c.yields);
    }
}

} // namespace
} // namespace quiverel
