#pragma once

// A drawing area that shows its backdrop picture and reports mouse presses:
// True from MouseDown makes MouseUp follow when the button is released. A
// canvas without a MouseDown handler leaves its clicks to the window.

#include "framework/Picture.h"
#include "framework/RectControl.h"

#include <functional>

namespace fw {

class Canvas : public RectControl {
public:
    Canvas();

    PicturePtr Backdrop() const { return backdrop_; }
    void SetBackdrop(PicturePtr picture);
    // Whether a click gives the canvas the keyboard focus.
    void SetAcceptFocus(bool on);
    void SetUseFocusRing(bool on) { (void)on; }
    void SetEraseBackground(bool on);
    void SetDoubleBuffer(bool on) { (void)on; }

    std::function<bool(int x, int y)> MouseDown;
    std::function<void(int x, int y)> MouseUp;

private:
    PicturePtr backdrop_;
};

}  // namespace fw
