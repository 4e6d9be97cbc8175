// The block converter's construction and its handlers.

#include "BlockConvert.h"

#include "Charvella.h"
#include "framework/Runtime.h"
#include "framework/TextInputStream.h"

using namespace fw;

namespace {

constexpr Color kBlack(0x000000);
constexpr Color kWhite(0xFFFFFF);

struct Locks {
    bool left, top, right, bottom;
};
constexpr Locks kLeftRight{true, false, true, false};
constexpr Locks kLeftTop{true, true, false, false};
constexpr Locks kLeftTopRight{true, true, true, false};

void Place(RectControl* control, int left, int top, int width, int height, Locks locks) {
    control->SetBounds(left, top, width, height);
    control->SetLockLeft(locks.left);
    control->SetLockTop(locks.top);
    control->SetLockRight(locks.right);
    control->SetLockBottom(locks.bottom);
}

struct AreaDesign {
    int top;
    void (BlockConvert::*gotFocus)(TextArea*);
};

TextArea* AddArea(BlockConvert* window, TextArea* area, const AreaDesign& d) {
    area->SetTextUnit(0);
    Place(area, 9, d.top, 616, 83, kLeftRight);
    area->SetTextFont("SmallSystem");
    area->SetText("");
    area->SetMultiline(true);
    area->SetScrollbarVertical(true);
    area->SetScrollbarHorizontal(false);
    area->SetBorder(true);
    area->SetUseFocusRing(true);
    area->SetStyled(false);
    area->SetReadOnly(false);
    area->SetLimitText(0);
    area->SetAcceptTabs(false);
    area->SetAlignment(0);
    area->SetSpellCheck(true);
    area->SetHideSelection(true);
    area->SetTextColor(kBlack);
    area->SetBackColor(kWhite);
    area->SetTabStop(true);
    area->GotFocus = [window, area, h = d.gotFocus] { (window->*h)(area); };
    return area;
}

struct LabelDesign {
    int left, top, width, height;
    Locks locks;
    const char* text;
    const char* font;
    double size;
    bool bold;
    int align;
};

void AddLabel(Label* label, const LabelDesign& d) {
    if (d.size > 0) label->SetTextSize(d.size);
    label->SetTextUnit(0);
    Place(label, d.left, d.top, d.width, d.height, d.locks);
    label->SetText(d.text);
    label->SetTextFont(d.font);
    label->SetBold(d.bold);
    label->SetTextAlign(d.align);
    label->SetTextColor(kBlack);
    label->SetMultiline(false);
    label->SetSelectable(false);
    label->SetTransparent(false);
}

// The output titles for each input form: the place of the input's own form
// names the text characters instead.
struct Titles {
    const char *decimal, *hex, *binary;
};
constexpr Titles kTitles[] = {{"Decimal ASCII codes", "Hexadecimal", "Binary"},
                              {"Text Characters", "Hexadecimal", "Binary"},
                              {"Decimal ASCII codes", "Text Characters", "Binary"},
                              {"Decimal ASCII codes", "Hexadecimal", "Text Characters"}};

}  // namespace

BlockConvert* BlockConvert::Instance() { return ImplicitInstance<BlockConvert>(); }

void BlockConvert::Layout() {
    ApplyDesign({.title = "Block Convert", .width = 635, .height = 461, .minWidth = 334, .minHeight = 461,
                 .maxWidth = 2000, .maxHeight = 2000});
}

void BlockConvert::CreateControls() { _CreateControls0(); }

// Controls in tab order; each gets its text size and unit, its design values,
// then its handlers, so that applying the design raises no handler.
void BlockConvert::_CreateControls0() {
    TextArea* input = AddArea(this, AddControl<TextArea>("EditField1"), {28, &BlockConvert::EditField1_GotFocus});
    input->DropObject = [this, input](const DragItem& obj, int action) { EditField1_DropObject(input, obj, action); };
    input->TextChange = [this, input] { EditField1_TextChange(input); };
    AddLabel(AddControl<Label>("StaticText1"),
             {7, 4, 83, 20, kLeftTop, "Drag or type", "SmallSystem", 0, true, 3});
    AddArea(this, AddControl<TextArea>("EditField2"), {147, &BlockConvert::EditField2_GotFocus});
    Place(AddControl<Separator>("Separator1"), 9, 119, 616, 4, kLeftTopRight);
    AddLabel(AddControl<Label>("outputTitle2"),
             {9, 125, 591, 20, kLeftTopRight, "Decimal ASCII codes", "System", 10, false, 1});
    AddArea(this, AddControl<TextArea>("EditField3"), {255, &BlockConvert::EditField3_GotFocus});
    AddLabel(AddControl<Label>("OutputTitle3"), {9, 233, 591, 20, kLeftRight, "Hexadecimal", "System", 10, false, 1});
    AddArea(this, AddControl<TextArea>("EditField4"), {363, &BlockConvert::EditField4_GotFocus});
    AddLabel(AddControl<Label>("OutputTitle4"), {9, 342, 591, 20, kLeftRight, "Binary", "System", 10, false, 1});
    AddLabel(AddControl<Label>("charCountField"),
             {205, 4, 420, 20, kLeftTopRight, "0 characters", "System", 10, false, 3});
    PopupMenu* popup = AddControl<PopupMenu>("PopupType");
    popup->SetTextUnit(0);
    Place(popup, 96, 4, 90, 20, kLeftTop);
    popup->SetTextFont("SmallSystem");
    for (const char* row : {"text", "decimal ASCII codes (spaced)", "hexadecimal", "binary"}) popup->AddRow(row);
    popup->SetListIndex(0);
    popup->SetTabStop(true);
    popup->Change = [this, popup] { PopupType_Change(popup); };
    AddLabel(AddControl<Label>("StaticText5"), {189, 4, 368, 20, kLeftTopRight, " here:", "SmallSystem", 0, true, 1});
}

TextArea* BlockConvert::EditField1() const { return ControlNamed<TextArea>("EditField1"); }
Label* BlockConvert::StaticText1() const { return ControlNamed<Label>("StaticText1"); }
TextArea* BlockConvert::EditField2() const { return ControlNamed<TextArea>("EditField2"); }
Separator* BlockConvert::Separator1() const { return ControlNamed<Separator>("Separator1"); }
Label* BlockConvert::outputTitle2() const { return ControlNamed<Label>("outputTitle2"); }
TextArea* BlockConvert::EditField3() const { return ControlNamed<TextArea>("EditField3"); }
Label* BlockConvert::OutputTitle3() const { return ControlNamed<Label>("OutputTitle3"); }
TextArea* BlockConvert::EditField4() const { return ControlNamed<TextArea>("EditField4"); }
Label* BlockConvert::OutputTitle4() const { return ControlNamed<Label>("OutputTitle4"); }
Label* BlockConvert::charCountField() const { return ControlNamed<Label>("charCountField"); }
PopupMenu* BlockConvert::PopupType() const { return ControlNamed<PopupMenu>("PopupType"); }
Label* BlockConvert::StaticText5() const { return ControlNamed<Label>("StaticText5"); }

// The controls' Open follows their creation: the window's Open runs it.
void BlockConvert::Event_Open() { EditField1_Open(EditField1()); }

void BlockConvert::EditField1_Open(TextArea* area) { area->AcceptFileDrop("text"); }

// The codes record which area last had the focus; nothing here reads them.
void BlockConvert::EditField1_GotFocus(TextArea*) { NonNil(App())->focusLocation = 5; }
void BlockConvert::EditField2_GotFocus(TextArea*) { NonNil(App())->focusLocation = 6; }
void BlockConvert::EditField3_GotFocus(TextArea*) { NonNil(App())->focusLocation = 7; }
void BlockConvert::EditField4_GotFocus(TextArea*) { NonNil(App())->focusLocation = 8; }

void BlockConvert::EditField1_TextChange(TextArea* area) { convertBlock(area->Text()); }

void BlockConvert::EditField1_DropObject(TextArea* area, const DragItem& obj, int) {
    if (!obj.FolderItemAvailable()) {
        // Dropped text is in the area already.
        convertBlock(area->Text());
        return;
    }
    const FolderItemPtr file = obj.FolderItem();
    if (!file) return;
    String text;
    try {
        // The whole file first: one that cannot be read leaves the input as it was.
        text = TextInputStream::Open(file)->ReadAll();
    } catch (const IOException& e) {
        MsgBox("The file \u201C" + file->Name() + "\u201D could not be read: " + e.what() + ".");
        return;
    }
    // Its conversion follows from the area's TextChange.
    area->SetText(text);
}

void BlockConvert::PopupType_Change(PopupMenu* popup) {
    const int row = popup->ListIndex();
    if (row >= 0 && row < int(std::size(kTitles))) {
        outputTitle2()->SetText(kTitles[row].decimal);
        OutputTitle3()->SetText(kTitles[row].hex);
        OutputTitle4()->SetText(kTitles[row].binary);
    }
    convertBlock(EditField1()->Text());
}

void BlockConvert::Event_Activate() {}

void BlockConvert::Event_Resized() { shareHeight(); }
void BlockConvert::Event_Resizing() { shareHeight(); }

void BlockConvert::shareHeight() {
    const int32_t H = Height();
    const auto h = static_cast<int32_t>(static_cast<double>(H - 457) / 3.0 + 83.0);
    auto setHeight = [](RectControl* c, int height) { c->SetBounds(c->Left(), c->Top(), c->Width(), height); };
    auto setTop = [](RectControl* c, int top) { c->SetBounds(c->Left(), top, c->Width(), c->Height()); };
    setHeight(EditField2(), h);
    setHeight(EditField3(), EditField2()->Height());
    setTop(EditField3(), EditField2()->Top() + EditField2()->Height() + 23);
    setTop(OutputTitle3(), EditField3()->Top() - 20);
    setHeight(EditField4(), EditField2()->Height());
    setTop(EditField4(), EditField3()->Top() + EditField3()->Height() + 23);
    setTop(OutputTitle4(), EditField4()->Top() - 20);
}
