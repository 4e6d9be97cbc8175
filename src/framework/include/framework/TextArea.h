#pragma once

// A multiline plain-text area with a vertical scroll bar.
//
// Two widgets back it: a QPlainTextEdit for the text the user edits, and, on
// top of it, a read-only view that keeps the text once and lays out only the
// lines on screen, for text that only needs showing: hundreds of megabytes
// take a QPlainTextEdit seconds and several bytes a character. An area shows
// the view once it is made read-only, and for a text the program writes
// while the user has neither started to edit the area nor is in it; the text
// moves into the editor when the user enters an area that may be edited.
//
// Its text is what the user entered, changed only in its line breaks: every
// line break typed, pasted or dropped (LF, CR LF) reads back as one carriage
// return; no-break spaces, tabs and NUL stay as they are. TextChange follows
// every change, the program's own writes included.
//
// Files of an accepted file type (AcceptFileDrop) may be dropped on the area:
// DropObject then delivers the first of them. Dropped text is inserted by the
// area itself, and DropObject follows with an item that carries no file; an
// area that handles DropObject hears of that insertion there only, not in
// TextChange as well. Both come once the drop has ended, so that whatever
// they show does not keep the dragging program waiting.
//
// Words of more than 10000 characters are broken at any character rather
// than only between words: breaking a long word costs time that grows with
// the square of its length. Lines of more than 10000 characters keep their
// layout, which is otherwise made anew at every repaint.

#include "framework/DragItem.h"
#include "framework/RectControl.h"

#include <functional>
#include <string>
#include <vector>

class QPlainTextEdit;

namespace fw {

namespace internal {
class TextView;
}

class TextArea : public RectControl {
public:
    TextArea();
    ~TextArea() override;

    String Text() const;
    // Raises TextChange. Into the editor (a text of up to a megabyte, while
    // the user is in the area or has text in it), the write is one edit that
    // Undo takes back.
    void SetText(const String& text);
    // The same, taking the text over without a copy (for long outputs).
    void SetText(String&& text);
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
    friend class AreaEditor;
    QPlainTextEdit* Edit() const { return edit_; }
    internal::TextView* View() const { return view_; }
    // Whether the view shows the text (the editor then holds none).
    bool Viewing() const;
    void ShowView();
    // Moves the view's text into the editor, for the user to edit.
    void TakeIntoEditor();
    void RaiseTextChange();
    QPlainTextEdit* edit_;
    internal::TextView* view_;
    // Set while the area moves its text between its widgets or inserts a
    // drop, which are no changes of the program's to hear of.
    bool quiet_ = false;
    std::vector<std::string> acceptedTypes_;
};

}  // namespace fw
