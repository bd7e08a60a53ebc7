#pragma once

#include <string>

namespace quiverel {

// A modal message box with an OK button only and no icon.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    // Shows text under title and returns when the user has closed the box.
    virtual void show(const std::string& text, const std::string& title) = 0;
};

} // namespace quiverel
