#pragma once

// A single-line text field.
//
// KeyDown receives each key before the field handles it (see Keys.h); True
// from the handler keeps the key from the field. Keys that are shortcuts of
// menu items belong to the menu bar and never reach the field. TextChange
// follows every change of the text, the program's own writes included.
// Selection positions count characters from 0.

#include "framework/RectControl.h"

#include <functional>

class QLineEdit;

namespace fw {

class TextField : public RectControl {
public:
    TextField();
    ~TextField() override;

    String Text() const;
    void SetText(const String& text);
    int SelStart() const;
    void SetSelStart(int start);
    int SelLength() const;
    void SetSelLength(int length);
    String SelText() const;

    void SetTextColor(Color color);
    void SetBackColor(Color color);
    void SetBorder(bool on);
    // 0 default (left), 1 left, 2 centre, 3 right.
    void SetAlignment(int align);
    void SetPassword(bool on);
    bool ReadOnly() const;
    void SetReadOnly(bool on);
    // 0: no limit.
    void SetLimitText(int characters);
    void SetCueText(const String& text);

    std::function<void()> TextChange;
    std::function<void()> GotFocus;
    std::function<void()> LostFocus;
    std::function<bool(const String& key)> KeyDown;

    void EnableStandardMenuItems() override;
    bool HandleStandardMenuItem(const String& itemName) override;

private:
    friend struct internal::QtAccess;
    QLineEdit* Edit() const { return edit_; }
    QLineEdit* edit_;
};

}  // namespace fw
