// The code table window's construction and its handlers.

#include "tableWindow.h"

#include "framework/MessageDialog.h"

using namespace fw;

namespace {

constexpr Color kBlack(0x000000);

constexpr double kSmallestText = 8;
constexpr double kLargestText = 22;

void Lock(RectControl* control, bool left, bool top, bool right, bool bottom) {
    control->SetLockLeft(left);
    control->SetLockTop(top);
    control->SetLockRight(right);
    control->SetLockBottom(bottom);
}

}  // namespace

tableWindow* tableWindow::Instance() { return ImplicitInstance<tableWindow>(); }

void tableWindow::Layout() {
    ApplyDesign({.title = "Charvella Table", .width = 275, .height = 260, .minWidth = 275, .minHeight = 200,
                 .maxWidth = 5000, .maxHeight = 4000});
}

void tableWindow::CreateControls() { _CreateControls0(); }

// Controls in tab order; each gets its text size, then its design values,
// then its handlers, so that applying the design raises no handler.
void tableWindow::_CreateControls0() {
    Listbox* list = AddControl<Listbox>("listASCII");
    list->SetTextSize(11);
    list->SetBounds(0, 0, 275, 220);
    Lock(list, true, true, true, true);
    list->SetColumnCount(4);
    list->SetColumnWidths("20%,20%,30%,30%");
    list->SetHasHeading(true);
    list->SetHeading(-1, "Character\tDecimal\tHexadecimal\tBinary");
    list->SetColumnsResizable(true);
    list->SetTextFont("System");
    list->SetTabStop(true);

    BevelButton* help = AddControl<BevelButton>("BevelButton1");
    help->SetBounds(223, 227, 42, 26);
    Lock(help, false, false, true, true);
    help->SetCaption("?");
    help->SetCaptionAlign(3);
    help->SetCaptionPlacement(1);
    help->SetCaptionDelta(0);
    help->SetBevel(5);
    help->SetButtonType(0);
    help->SetTextFont("System");
    help->Action = [this, help] { BevelButton1_Action(help); };

    PopupMenu* popup = AddControl<PopupMenu>("EncodingPopupMenu");
    popup->SetBounds(94, 231, 125, 16);
    Lock(popup, false, false, true, true);
    for (const char* row : {"ASCII (7 bit)", "-", "MacRoman", "MacJapanese", "MacIcelandic", "MacGreek",
                            "MacCyrillic", "-", "Unicode UTF-8", "-", "Windows Latin 1", "ISOLatin1", "ISOLatin9"})
        popup->AddRow(row);
    popup->SetListIndex(2);
    popup->SetTextFont("SmallSystem");
    popup->SetTabStop(true);
    popup->Change = [this, popup] { EncodingPopupMenu_Change(popup); };

    UpDownArrows* arrows = AddControl<UpDownArrows>("UpDownArrows1");
    arrows->SetBounds(11, 229, 25, 25);
    Lock(arrows, true, false, false, true);
    arrows->SetAcceptFocus(false);
    arrows->Up = [this, arrows] { UpDownArrows1_Up(arrows); };
    arrows->Down = [this, arrows] { UpDownArrows1_Down(arrows); };

    Label* size = AddControl<Label>("StaticText1");
    size->SetBounds(30, 232, 62, 17);
    Lock(size, true, false, false, true);
    size->SetText("Size");
    size->SetTextAlign(0);
    size->SetTextColor(kBlack);
    size->SetMultiline(false);
    size->SetTextFont("SmallSystem");
}

Listbox* tableWindow::listASCII() const { return ControlNamed<Listbox>("listASCII"); }
BevelButton* tableWindow::BevelButton1() const { return ControlNamed<BevelButton>("BevelButton1"); }
PopupMenu* tableWindow::EncodingPopupMenu() const { return ControlNamed<PopupMenu>("EncodingPopupMenu"); }
UpDownArrows* tableWindow::UpDownArrows1() const { return ControlNamed<UpDownArrows>("UpDownArrows1"); }
Label* tableWindow::StaticText1() const { return ControlNamed<Label>("StaticText1"); }

void tableWindow::Event_Open() {
    resizeWindow();
    openingWindow = true;
    rebuildList();
    openingWindow = false;
}

void tableWindow::Event_Resized() { resizeWindow(); }

void tableWindow::resizeWindow() {
    const String tab = Chr(9);
    if (Width() < 480)
        listASCII()->SetHeading(-1, "Char" + tab + "Dec" + tab + "Hex" + tab + "Bin");
    else
        listASCII()->SetHeading(-1, "Character" + tab + "Decimal" + tab + "Hexadecimal" + tab + "Binary");
}

void tableWindow::EncodingPopupMenu_Change(PopupMenu*) { rebuildList(); }

void tableWindow::UpDownArrows1_Up(UpDownArrows*) {
    Listbox* list = listASCII();
    list->SetTextSize(list->TextSize() >= kLargestText ? kLargestText : list->TextSize() + 1);
}

void tableWindow::UpDownArrows1_Down(UpDownArrows*) {
    Listbox* list = listASCII();
    list->SetTextSize(list->TextSize() <= kSmallestText ? kSmallestText : list->TextSize() - 1);
}

void tableWindow::BevelButton1_Action(BevelButton*) {
    MessageDialog note;
    note.SetMessage(
        "The popup menu lets you choose the text encoding; this will change the characters for "
        "\u201Chigh ASCII\u201D, or decimal values 128-255. ASCII is only defined for 7-bit values: 0-127. "
        "Traditionally Macs in English-speaking countries have used MacRoman or Unicode (such as UTF-8). ");
    note.SetExplanation(
        "Except for this table window, Charvella assumes a MacRoman encoding. This may change in future "
        "revisions.");
    note.ActionButton()->SetCaption("Okay");
    note.ActionButton()->SetVisible(true);
    note.CancelButton()->SetVisible(false);
    note.ShowModalWithin(this);
}
