// The converter window's construction and its small handlers.

#include "Window1.h"

#include "BundlePictures.h"
#include "Charvella.h"
#include "Dialog1.h"
#include "BlockConvert.h"
#include "tableWindow.h"

using namespace fw;

namespace {

constexpr Color kBlack(0x000000);
constexpr Color kWhite(0xFFFFFF);
constexpr Color kErrorRed(0xE00012);

struct FieldDesign {
    int left, top, width, height;
    void (Window1::*textChange)(EditSelectAllField*);
    void (Window1::*gotFocus)(EditSelectAllField*);
    bool (Window1::*keyDown)(EditSelectAllField*, const String&);
};

struct LabelDesign {
    int left, top, width, height;
    const char* text;
    int size;
    int align;
    Color color;
};

struct ButtonDesign {
    int left, top, width, height;
    const char* caption;
};

void AddField(Window1* window, EditSelectAllField* field, const FieldDesign& d) {
    field->SetTextUnit(0);
    field->SetBounds(d.left, d.top, d.width, d.height);
    field->SetText("");
    field->SetTextFont("System");
    field->SetTextColor(kBlack);
    field->SetBackColor(kWhite);
    field->SetBorder(true);
    field->SetAlignment(0);
    field->SetLimitText(0);
    field->SetTabStop(true);
    field->_AddMenuHandler("EditSelectAll", [field] { return field->_EditSelectAll_Action(); });
    field->TextChange = [window, field, h = d.textChange] { (window->*h)(field); };
    field->GotFocus = [window, field, h = d.gotFocus] { (window->*h)(field); };
    field->KeyDown = [window, field, h = d.keyDown](const String& key) { return (window->*h)(field, key); };
}

void AddLabel(Label* label, const LabelDesign& d) {
    label->SetTextSize(d.size);
    label->SetTextUnit(0);
    label->SetBounds(d.left, d.top, d.width, d.height);
    label->SetText(d.text);
    label->SetTextFont("System");
    label->SetTextAlign(d.align);
    label->SetTextColor(d.color);
    label->SetMultiline(false);
    label->SetSelectable(false);
    label->SetTransparent(false);
}

void AddButton(PushButton* button, const ButtonDesign& d) {
    button->SetTextUnit(0);
    button->SetBounds(d.left, d.top, d.width, d.height);
    button->SetCaption(d.caption);
    button->SetTextFont("System");
    button->SetDefault(false);
    button->SetCancel(false);
    button->SetTabStop(true);
}

}  // namespace

Window1* Window1::Instance() { return ImplicitInstance<Window1>(); }

void Window1::Layout() {
    ApplyDesign({.title = "Type a Code or Key", .width = 285, .height = 108, .minWidth = 285, .minHeight = 108,
                 .maxWidth = 285, .maxHeight = 108, .resizeable = false, .liveResize = false,
                 .maximizeButton = false});
}

void Window1::CreateControls() { _CreateControls0(); }

// Controls in tab order; each gets its text unit and size, then its design
// values, then its handlers, so that applying the design raises no handler.
void Window1::_CreateControls0() {
    AddField(this, AddControl<EditSelectAllField>("outputChar"),
             {50, 7, 54, 22, &Window1::outputChar_TextChange, &Window1::outputChar_GotFocus,
              &Window1::outputChar_KeyDown});
    AddField(this, AddControl<EditSelectAllField>("outputBin"),
             {170, 7, 100, 22, &Window1::outputBin_TextChange, &Window1::outputBin_GotFocus,
              &Window1::outputBin_KeyDown});
    AddField(this, AddControl<EditSelectAllField>("outputDec"),
             {50, 36, 54, 22, &Window1::outputDec_TextChange, &Window1::outputDec_GotFocus,
              &Window1::outputDec_KeyDown});
    AddField(this, AddControl<EditSelectAllField>("outputHex"),
             {170, 36, 49, 22, &Window1::outputHex_TextChange, &Window1::outputHex_GotFocus,
              &Window1::outputHex_KeyDown});

    Canvas* canvas = AddControl<Canvas>("aboutButtonCanvas");
    canvas->SetBounds(209, 34, 73, 74);
    canvas->SetAcceptFocus(false);
    canvas->SetTabStop(true);
    canvas->SetUseFocusRing(true);
    canvas->SetEraseBackground(true);
    canvas->SetDoubleBuffer(false);
    canvas->MouseUp = [this, canvas](int x, int y) { aboutButtonCanvas_MouseUp(canvas, x, y); };
    canvas->MouseDown = [this, canvas](int x, int y) { return aboutButtonCanvas_MouseDown(canvas, x, y); };

    AddLabel(AddControl<Label>("inputCharacter"), {-10, 12, 52, 16, "Char", 12, 3, kBlack});
    AddLabel(AddControl<Label>("asciiValueOut"), {-10, 39, 52, 16, "Dec", 12, 3, kBlack});
    AddLabel(AddControl<Label>("StaticText2"), {111, 39, 52, 16, "Hex", 12, 3, kBlack});
    AddLabel(AddControl<Label>("StaticText4"), {111, 12, 52, 16, "Binary", 12, 3, kBlack});
    AddButton(AddControl<PushButton>("PushButton1"), {20, 78, 80, 20, "Blocks"});
    PushButton1()->Action = [this] { PushButton1_Action(PushButton1()); };
    AddLabel(AddControl<Label>("errorField"), {2, 58, 205, 20, "", 10, 2, kErrorRed});
    PushButton* table = AddControl<PushButton>("PushButton2");
    AddButton(table, {117, 78, 80, 20, "Table"});
    table->Action = [this, table] { PushButton2_Action(table); };

    // Screen readers announce each field by its label, and the icon by the
    // command that it stands for.
    outputChar()->SetAccessibleName(inputCharacter()->Text());
    outputBin()->SetAccessibleName(StaticText4()->Text());
    outputDec()->SetAccessibleName(asciiValueOut()->Text());
    outputHex()->SetAccessibleName(StaticText2()->Text());
    canvas->SetAccessibleName("About Charvella\u2026");
}

EditSelectAllField* Window1::outputChar() const { return ControlNamed<EditSelectAllField>("outputChar"); }
EditSelectAllField* Window1::outputBin() const { return ControlNamed<EditSelectAllField>("outputBin"); }
EditSelectAllField* Window1::outputDec() const { return ControlNamed<EditSelectAllField>("outputDec"); }
EditSelectAllField* Window1::outputHex() const { return ControlNamed<EditSelectAllField>("outputHex"); }
Canvas* Window1::aboutButtonCanvas() const { return ControlNamed<Canvas>("aboutButtonCanvas"); }
Label* Window1::inputCharacter() const { return ControlNamed<Label>("inputCharacter"); }
Label* Window1::asciiValueOut() const { return ControlNamed<Label>("asciiValueOut"); }
Label* Window1::StaticText2() const { return ControlNamed<Label>("StaticText2"); }
Label* Window1::StaticText4() const { return ControlNamed<Label>("StaticText4"); }
PushButton* Window1::PushButton1() const { return ControlNamed<PushButton>("PushButton1"); }
Label* Window1::errorField() const { return ControlNamed<Label>("errorField"); }
PushButton* Window1::PushButton2() const { return ControlNamed<PushButton>("PushButton2"); }

// The focus codes follow the field's kind, not the tab order.
void Window1::outputChar_GotFocus(EditSelectAllField*) { NonNil(App())->focusLocation = 1; }
void Window1::outputDec_GotFocus(EditSelectAllField*) { NonNil(App())->focusLocation = 2; }
void Window1::outputHex_GotFocus(EditSelectAllField*) { NonNil(App())->focusLocation = 3; }
void Window1::outputBin_GotFocus(EditSelectAllField*) { NonNil(App())->focusLocation = 4; }

// The code fields insert typed keys as usual.
bool Window1::outputBin_KeyDown(EditSelectAllField*, const String&) { return false; }
bool Window1::outputDec_KeyDown(EditSelectAllField*, const String&) { return false; }
bool Window1::outputHex_KeyDown(EditSelectAllField*, const String&) { return false; }

void Window1::PushButton1_Action(PushButton*) { BlockConvert::Instance()->Show(); }

// The icon opens the About box on release, as a button does.
void Window1::aboutButtonCanvas_MouseUp(Canvas*, int, int) { NonNil(Dialog1::Instance())->Show(); }
bool Window1::aboutButtonCanvas_MouseDown(Canvas*, int, int) { return true; }

void Window1::PushButton2_Action(PushButton*) { NonNil(tableWindow::Instance())->Show(); }

void Window1::Event_Open() {
    maskIcon();
    alreadyChanged = false;
}

void Window1::maskIcon() {
    // Without the bundle pictures the button stays blank.
    try {
        NonNil(Window1::Instance())->aboutButtonCanvas()->SetBackdrop(buildMaskedIcon());
    } catch (const NilObjectException&) {
    }
}
