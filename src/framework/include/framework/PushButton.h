#pragma once

// A push button; Action follows a click or a press of the key that pushes it.

#include "framework/RectControl.h"

#include <functional>

class QPushButton;
class QShortcut;

namespace fw {

class PushButton : public RectControl {
public:
    PushButton();

    String Caption() const;
    void SetCaption(const String& caption);
    // The default button answers Return, the cancel button Escape.
    void SetDefault(bool on);
    void SetCancel(bool on);
    void Push();

    std::function<void()> Action;

private:
    QPushButton* button_;
    QShortcut* returnKey_;
    QShortcut* enterKey_;
    QShortcut* escapeKey_;
};

}  // namespace fw
