#pragma once

#include "platform/Clipboard.h"

namespace quiverel {

// The system clipboard through Qt, plain text only. The text is kept as it is given, in UTF-8,
// so putting a whole large list on the clipboard makes no second copy of it (in UTF-16, twice
// its size); a copy is made only when a program asks for the text.
class QtClipboard : public Clipboard {
public:
    void clear() override;
    // True when the clipboard holds the text afterwards.
    bool setText(std::string text) override;
};

} // namespace quiverel
