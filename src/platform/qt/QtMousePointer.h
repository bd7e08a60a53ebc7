#pragma once

#include "platform/MousePointer.h"

namespace quiverel {

// The application-wide pointer: the busy shape over every window of the program.
class QtMousePointer : public MousePointer {
public:
    ~QtMousePointer() override;
    void set(Shape shape) override;

private:
    bool m_busy = false;
};

} // namespace quiverel
