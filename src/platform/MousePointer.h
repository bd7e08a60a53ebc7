#pragma once

namespace quiverel {

// The application-wide mouse pointer.
class MousePointer {
public:
    enum class Shape { Default, Busy };
    virtual ~MousePointer() = default;
    virtual void set(Shape shape) = 0;
};

} // namespace quiverel
