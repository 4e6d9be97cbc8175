#pragma once

// Mouse cursors a window can show over itself (Window::SetMouseCursor).

#include <memory>

namespace fw {

class MouseCursor {
public:
    enum class Shape { StandardPointer, Wait };
    explicit MouseCursor(Shape shape) : shape_(shape) {}
    Shape GetShape() const { return shape_; }

private:
    Shape shape_;
};

using MouseCursorPtr = std::shared_ptr<const MouseCursor>;

namespace System::Cursors {
MouseCursorPtr StandardPointer();
MouseCursorPtr Wait();
}  // namespace System::Cursors

}  // namespace fw
