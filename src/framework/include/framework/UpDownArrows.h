#pragma once

// A pair of small stacked arrow buttons. A click on the upper one raises Up,
// on the lower one Down. The arrows never take the keyboard focus.

#include "framework/RectControl.h"

#include <functional>

class QToolButton;

namespace fw {

class UpDownArrows : public RectControl {
public:
    UpDownArrows();

    void SetAcceptFocus(bool) {}

    std::function<void()> Up;
    std::function<void()> Down;

private:
    friend struct internal::QtAccess;
    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace fw
