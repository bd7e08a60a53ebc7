#pragma once

#include "platform/MessageBox.h"

namespace quiverel {

// Passes messages on to a message box until it is shut: a batch that was cancelled because its
// window is closing has nothing left to tell the user.
class MessageGate : public MessageBox {
public:
    explicit MessageGate(MessageBox& box) : m_box(box) {}

    void show(const std::string& text, const std::string& title) override {
        if (m_open) {
            m_box.show(text, title);
        }
    }
    void shut() { m_open = false; }

private:
    MessageBox& m_box;
    bool m_open = true;
};

} // namespace quiverel
