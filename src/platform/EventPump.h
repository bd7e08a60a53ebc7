#pragma once

namespace quiverel {

// Lets a long operation on the user-interface thread handle pending events once.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void processPendingEvents() = 0;
};

} // namespace quiverel
