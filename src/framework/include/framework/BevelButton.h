#pragma once

// A bevel button: a plain button with a caption that never takes the keyboard
// focus. Action follows a click.

#include "framework/RectControl.h"

#include <functional>

class QPushButton;

namespace fw {

class BevelButton : public RectControl {
public:
    BevelButton();

    String Caption() const { return caption_; }
    void SetCaption(const String& caption);
    // The bevel, caption placement and button type values are accepted; the
    // button has the platform's look.
    void SetBevel(int) {}
    void SetCaptionAlign(int) {}
    void SetCaptionPlacement(int) {}
    void SetCaptionDelta(int) {}
    void SetButtonType(int) {}
    void Push();

    std::function<void()> Action;

private:
    QPushButton* button_;
    String caption_;
};

}  // namespace fw
