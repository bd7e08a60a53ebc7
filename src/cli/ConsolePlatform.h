#pragma once

#include "platform/EventPump.h"
#include "platform/MessageBox.h"

namespace quiverel::cli {

// A terminal has no message boxes: the message becomes one line on standard error.
class StandardErrorMessageBox : public MessageBox {
public:
    void show(const std::string& text, const std::string& title) override;
};

// A terminal has no window events to handle during a search.
class NoEventPump : public EventPump {
public:
    void processPendingEvents() override {}
};

} // namespace quiverel::cli
