#pragma once

// A separator: a horizontal line, or a vertical one when it is higher than wide.

#include "framework/RectControl.h"

class QFrame;

namespace fw {

class Separator : public RectControl {
public:
    Separator();
    void SetBounds(int left, int top, int width, int height);

private:
    QFrame* frame_;
};

}  // namespace fw
