// The block converter's two sheets: the large-block warning and the progress
// sheet. Neither has more behaviour than its buttons' answers.

#include "Charvella.h"
#include "globalVars.h"
#include "fasterPlease.h"
#include "sizeWarnSheet.h"

using namespace fw;

namespace {

constexpr Color kBlack(0x000000);

// The sheets' design values besides their own: a sheet frame, fixed size.
WindowDesign SheetDesign(const char* title, int width, int height, int minWidth, int minHeight, int maxWidth,
                         int maxHeight, bool visible, bool buttons) {
    return {.title = title, .width = width, .height = height, .minWidth = minWidth, .minHeight = minHeight,
            .maxWidth = maxWidth, .maxHeight = maxHeight, .frame = 8, .resizeable = false, .liveResize = false,
            .closeButton = buttons, .minimizeButton = buttons, .maximizeButton = buttons, .visible = visible};
}

void SheetLabel(Label* label, int left, int top, int width, int height, double size, bool bold, bool multiline,
                const char* text) {
    label->SetTextSize(size);
    label->SetTextUnit(0);
    label->SetBounds(left, top, width, height);
    label->SetText(text);
    label->SetTextFont("System");
    label->SetBold(bold);
    label->SetTextAlign(0);
    label->SetTextColor(kBlack);
    label->SetMultiline(multiline);
    label->SetSelectable(false);
    label->SetTransparent(false);
}

void SheetButton(PushButton* button, int left, int top, int width, int height, const char* caption, bool isDefault,
                 bool isCancel) {
    button->SetTextSize(12);
    button->SetBounds(left, top, width, height);
    button->SetCaption(caption);
    button->SetTextFont("System");
    button->SetDefault(isDefault);
    button->SetCancel(isCancel);
    button->SetTabStop(true);
}

// Each answer is written before the sheet closes: closing ends the wait of
// the conversion, which reads the answer straight after.
void Answer(bool convert1000, bool convertAnyway) {
    globalVars::convert1000 = convert1000;
    globalVars::convertAnyway = convertAnyway;
    sizeWarnSheet::Instance()->Close();
}

}  // namespace

// ---- Large-block warning ----

sizeWarnSheet* sizeWarnSheet::Instance() { return ImplicitInstance<sizeWarnSheet>(); }

void sizeWarnSheet::Layout() {
    // Designed 26 pixels lower than its limits allow; the limits win.
    ApplyDesign(SheetDesign("Large Text Block", 535, 159, 535, 185, 535, 185, false, false));
}

void sizeWarnSheet::CreateControls() { _CreateControls0(); }

void sizeWarnSheet::_CreateControls0() {
    SheetLabel(AddControl<Label>("StaticText1"), 101, 12, 419, 41, 13, true, true, "");
    PushButton* convertPart = AddControl<PushButton>("PushButton1");
    SheetButton(convertPart, 368, 122, 147, 20, "Convert 900", true, false);
    convertPart->Action = [this, convertPart] { PushButton1_Action(convertPart); };
    PushButton* cancel = AddControl<PushButton>("PushButton2");
    SheetButton(cancel, 79, 122, 85, 20, "Cancel", false, true);
    cancel->Action = [this, cancel] { PushButton2_Action(cancel); };
    Canvas* icon = AddControl<Canvas>("Canvas1");
    icon->SetBounds(14, 13, 75, 75);
    icon->SetUseFocusRing(true);
    icon->SetAcceptFocus(false);
    icon->SetEraseBackground(true);
    PushButton* convertAll = AddControl<PushButton>("PushButton3");
    SheetButton(convertAll, 181, 122, 170, 20, "Convert All Anyway", false, true);
    convertAll->Action = [this, convertAll] { PushButton3_Action(convertAll); };
    SheetLabel(AddControl<Label>("StaticText2"), 101, 56, 419, 60, 11, false, true, "");
}

Label* sizeWarnSheet::StaticText1() const { return ControlNamed<Label>("StaticText1"); }
PushButton* sizeWarnSheet::PushButton1() const { return ControlNamed<PushButton>("PushButton1"); }
PushButton* sizeWarnSheet::PushButton2() const { return ControlNamed<PushButton>("PushButton2"); }
Canvas* sizeWarnSheet::Canvas1() const { return ControlNamed<Canvas>("Canvas1"); }
PushButton* sizeWarnSheet::PushButton3() const { return ControlNamed<PushButton>("PushButton3"); }
Label* sizeWarnSheet::StaticText2() const { return ControlNamed<Label>("StaticText2"); }

void sizeWarnSheet::PushButton1_Action(PushButton*) { Answer(true, false); }
void sizeWarnSheet::PushButton2_Action(PushButton*) { Answer(false, false); }
void sizeWarnSheet::PushButton3_Action(PushButton*) { Answer(false, true); }

// Without an application icon the area stays empty.
void sizeWarnSheet::Event_Open() { Canvas1()->SetBackdrop(NonNil(App())->maskedIconPicture); }

// ---- Progress ----

fasterPlease* fasterPlease::Instance() { return ImplicitInstance<fasterPlease>(); }

void fasterPlease::Layout() { ApplyDesign(SheetDesign("Processing", 292, 64, 64, 64, 32000, 32000, true, true)); }

void fasterPlease::CreateControls() { _CreateControls0(); }

void fasterPlease::_CreateControls0() {
    ProgressBar* bar = AddControl<ProgressBar>("ProgressBar1");
    bar->SetBounds(17, 35, 258, 12);
    bar->SetValue(0);
    bar->SetMaximum(0);
    SheetLabel(AddControl<Label>("StaticText1"), 17, 7, 238, 20, 12, false, false, "Converting\u2026");
}

ProgressBar* fasterPlease::ProgressBar1() const { return ControlNamed<ProgressBar>("ProgressBar1"); }
Label* fasterPlease::StaticText1() const { return ControlNamed<Label>("StaticText1"); }

void fasterPlease::Event_Open() {}
