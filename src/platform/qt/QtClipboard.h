#pragma once

#include "platform/Clipboard.h"

namespace quiverel {

// The system clipboard through Qt, plain text only.
class QtClipboard : public Clipboard {
public:
    void clear() override;
    // True when the clipboard holds the text afterwards.
    bool setText(const std::string& text) override;
};

} // namespace quiverel
