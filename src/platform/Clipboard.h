#pragma once

#include <string>

namespace quiverel {

// The system clipboard, for plain text.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void clear() = 0;
    // Puts UTF-8 text on the clipboard, which keeps it; false when the clipboard could not be
    // written.
    virtual bool setText(std::string text) = 0;
};

} // namespace quiverel
