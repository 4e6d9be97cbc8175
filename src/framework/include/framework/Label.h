#pragma once

// A static text. A carriage return in its text shows as a line break.
//
// A label draws only its text: the window's background and the controls
// created before it show through the rest of its box, so that overlapping
// labels (a right-aligned count under a left-aligned word, say) all stay
// readable. Labels have no back colour of their own, so there is nothing a
// non-transparent label would fill: the setting changes nothing.

#include "framework/RectControl.h"

class QLabel;

namespace fw {

class Label : public RectControl {
public:
    Label();

    String Text() const { return text_; }
    void SetText(const String& text);
    void SetTextColor(Color color);
    // 0 default (left), 1 left, 2 centre, 3 right.
    void SetTextAlign(int align);
    void SetMultiline(bool on);
    void SetSelectable(bool on);
    void SetTransparent(bool on);

private:
    QLabel* label_;
    String text_;
};

}  // namespace fw
