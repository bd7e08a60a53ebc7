#pragma once

#include "platform/MessageBox.h"

namespace quiverel {

// Message boxes as QMessageBox: OK only, no icon, over the active window.
class QtMessageBox : public MessageBox {
public:
    void show(const std::string& text, const std::string& title) override;
};

} // namespace quiverel
