#pragma once

// A multiline plain-text area with a vertical scroll bar.
//
// Two widgets back it, and it shows exactly one of them at a time, so that
// the mouse, the keyboard, drops and screen readers all find the one widget
// at the area's place: a QPlainTextEdit while the area may be edited, and a
// read-only view while it is read-only. The view keeps its text once and
// lays out only the lines on screen: hundreds of megabytes take a
// QPlainTextEdit seconds and several bytes a character, and read-only
// outputs only need showing.
//
// The program's writes go into the editor as one edit that Undo takes back
// while the editor is shown and the text is at most a megabyte. A longer
// text, or one written while the area shows the view, goes to the view; an
// area that may be edited takes it into its editor once no handler runs any
// more (so that a handler that makes the area read-only again before it ends
// costs nothing), a megabyte at a time, the windows getting their turn
// between the slices. Until then the area reads back the view's text.
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
// The selection is shown only while the area has the keyboard focus.
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
class QWidget;

namespace fw {

namespace internal {
class TextView;
}
class AreaBox;

class TextArea : public RectControl {
public:
    TextArea();
    ~TextArea() override;

    String Text() const;
    // Raises TextChange. Into the editor (a text of up to a megabyte, while
    // the editor is shown), the write is one edit that Undo takes back.
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
    // The selection always hides while the area has no focus.
    void SetHideSelection(bool) {}
    // Plain text areas have no spell checker on this platform.
    void SetSpellCheck(bool) {}

    // Files of the registered file type of that name may be dropped here.
    void AcceptFileDrop(const String& fileTypeName);
    const std::vector<std::string>& AcceptedFileTypes() const { return acceptedTypes_; }

    std::function<void()> TextChange;
    std::function<void()> GotFocus;
    std::function<void(const DragItem& item, int action)> DropObject;

    void EnableStandardMenuItems() override;
    bool HandleStandardMenuItem(const String& itemName) override;
    void SetAccessibleName(const String& name) override;
    void SetTabStop(bool on) override;

private:
    friend struct internal::QtAccess;
    friend class AreaEditor;
    QPlainTextEdit* Edit() const { return edit_; }
    internal::TextView* View() const { return view_; }
    // Whether the view shows the text (the editor then holds none).
    bool Viewing() const;
    // Shows one of the two widgets; the keyboard focus follows.
    void Show(QWidget* shown);
    // Shows text in the view, in place of whatever the area held.
    void ShowInView(String&& text);
    // Moves the view's text into the editor once no handler runs.
    void TakeIntoEditorLater();
    // Moves the view's text into the editor, with its selection and place;
    // false when it was overtaken before it was done (a newer write, the
    // area made read-only, its window closed, the program quitting).
    bool TakeIntoEditor();
    // Fills the hidden editor with text a slice at a time, with a yield after
    // each; false (and the editor empty) when overtaken.
    bool FillEditor(const String& text, unsigned fill);
    bool Overtaken(unsigned fill) const;
    void RaiseTextChange();
    AreaBox* box_;
    QPlainTextEdit* edit_;
    internal::TextView* view_;
    bool readOnly_ = false;
    // A move into the editor waits for the handlers to end.
    bool editorDue_ = false;
    // Counts the writes and moves: a slow move that a later one overtakes stops.
    unsigned fills_ = 0;
    // Set while the area moves its text between its widgets or inserts a
    // drop, which are no changes of the program's to hear of.
    bool quiet_ = false;
    // Set while the keyboard focus moves between the two widgets.
    bool switching_ = false;
    std::vector<std::string> acceptedTypes_;
};

}  // namespace fw
