#pragma once

// A multiline plain-text area with a vertical scroll bar, backed by a
// QPlainTextEdit (plain text stays responsive with megabytes in it).
//
// Its text is what the user entered, changed only in its line breaks: every
// line break typed, pasted or dropped (LF, CR LF) reads back as one carriage
// return; no-break spaces, tabs and NUL stay as they are. TextChange follows
// every change, the program's own writes included.
//
// Files of an accepted file type (AcceptFileDrop) may be dropped on the area:
// DropObject then delivers the first of them. Dropped text is inserted by the
// area itself, and DropObject follows with an item that carries no file.

#include "framework/DragItem.h"
#include "framework/RectControl.h"

#include <functional>
#include <string>
#include <vector>

class QPlainTextEdit;

namespace fw {

class TextArea : public RectControl {
public:
    TextArea();
    ~TextArea() override;

    String Text() const;
    void SetText(const String& text);
    bool ReadOnly() const;
    void SetReadOnly(bool on);

    void SetTextColor(Color color);
    void SetBackColor(Color color);
    void SetBorder(bool on);
    void SetScrollbarVertical(bool on);
    // Lines always wrap at the area's width: there is no horizontal scroll bar.
    void SetScrollbarHorizontal(bool) {}
    // 0 default (left), 1 left, 2 centre, 3 right.
    void SetAlignment(int align);
    // Whether Tab is typed into the area rather than moving the focus.
    void SetAcceptTabs(bool on);
    // 0: no limit; no other limit is kept.
    void SetLimitText(int) {}
    // Design values that plain text on this platform has no use for.
    void SetMultiline(bool) {}
    void SetStyled(bool) {}
    void SetUseFocusRing(bool) {}
    void SetHideSelection(bool) {}
    void SetSpellCheck(bool) {}

    // Files of the registered file type of that name may be dropped here.
    void AcceptFileDrop(const String& fileTypeName);
    const std::vector<std::string>& AcceptedFileTypes() const { return acceptedTypes_; }

    std::function<void()> TextChange;
    std::function<void()> GotFocus;
    std::function<void(const DragItem& item, int action)> DropObject;

    void EnableStandardMenuItems() override;
    bool HandleStandardMenuItem(const String& itemName) override;

private:
    friend struct internal::QtAccess;
    QPlainTextEdit* Edit() const { return edit_; }
    QPlainTextEdit* edit_;
    std::vector<std::string> acceptedTypes_;
};

}  // namespace fw
