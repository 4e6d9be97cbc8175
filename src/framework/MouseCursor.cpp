#include "framework/MouseCursor.h"

#include "framework/Window.h"

#include <QCursor>
#include <QMainWindow>

namespace fw {

namespace System::Cursors {
MouseCursorPtr StandardPointer() {
    static const MouseCursorPtr cursor = std::make_shared<MouseCursor>(MouseCursor::Shape::StandardPointer);
    return cursor;
}
MouseCursorPtr Wait() {
    static const MouseCursorPtr cursor = std::make_shared<MouseCursor>(MouseCursor::Shape::Wait);
    return cursor;
}
}  // namespace System::Cursors

MouseCursorPtr Window::MouseCursor() const {
    return widget_->cursor().shape() == Qt::WaitCursor ? System::Cursors::Wait() : System::Cursors::StandardPointer();
}

void Window::SetMouseCursor(const MouseCursorPtr& cursor) {
    // The standard pointer is the window's own cursor: the text areas keep
    // their text cursor under it.
    if (cursor && cursor->GetShape() == fw::MouseCursor::Shape::Wait)
        widget_->setCursor(Qt::WaitCursor);
    else
        widget_->unsetCursor();
}

}  // namespace fw
