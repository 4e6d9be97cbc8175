#pragma once

// A text field that gives the Edit menu's Select All its meaning: enabled
// while the focused field holds text, selecting that field's whole text.

#include "framework/TextField.h"

class EditSelectAllField : public fw::TextField {
public:
    void Event_EnableMenuItems() override;
    // The window registers this as the field's handler of "EditSelectAll".
    bool _EditSelectAll_Action();
};
