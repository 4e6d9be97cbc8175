#pragma once

// A message dialog: a message in bold, an explanation under it, and up to
// three buttons: the action button (the default, "OK"), the cancel button and
// the alternate action button (both hidden until made visible). Shown as a
// sheet on a window, it returns the button that closed it.

#include "framework/String.h"

namespace fw {

class Window;

class MessageDialogButton {
public:
    MessageDialogButton(const String& caption, bool visible) : caption_(caption), visible_(visible) {}
    String Caption() const { return caption_; }
    void SetCaption(const String& caption) { caption_ = caption; }
    bool Visible() const { return visible_; }
    void SetVisible(bool on) { visible_ = on; }

private:
    String caption_;
    bool visible_;
};

class MessageDialog {
public:
    MessageDialog() = default;
    MessageDialog(const MessageDialog&) = delete;
    MessageDialog& operator=(const MessageDialog&) = delete;

    String Message() const { return message_; }
    void SetMessage(const String& message) { message_ = message; }
    String Explanation() const { return explanation_; }
    void SetExplanation(const String& explanation) { explanation_ = explanation; }
    MessageDialogButton* ActionButton() { return &action_; }
    MessageDialogButton* CancelButton() { return &cancel_; }
    MessageDialogButton* AlternateActionButton() { return &alternate_; }

    // Shows the dialog as a sheet on parent (modal to that window) and
    // returns once it has closed: the button pressed, nullptr when the
    // dialog closed otherwise.
    MessageDialogButton* ShowModalWithin(Window* parent);

private:
    String message_;
    String explanation_;
    MessageDialogButton action_{"OK", true};
    MessageDialogButton cancel_{"Cancel", false};
    MessageDialogButton alternate_{"Don\u2019t Save", false};
};

}  // namespace fw
