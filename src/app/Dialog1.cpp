#include "Dialog1.h"

#include "BundlePictures.h"
#include "WebSite.h"

using namespace fw;

namespace {

constexpr Color kBlack(0x000000);
constexpr Color kWhite(0xFFFFFF);
constexpr const char* kAppVersion = "1.4.1";

#if defined(__clang__)
constexpr const char* kCompiler = __VERSION__;  // names itself: "Clang 14.0.6 ..."
#elif defined(__GNUC__)
constexpr const char* kCompiler = "GCC " __VERSION__;
#else
constexpr const char* kCompiler = "unknown compiler";
#endif

struct LabelDesign {
    int left, top, width, height;
    int size;
    bool multiline;
};

void AddLabel(Label* label, const LabelDesign& d, const String& text) {
    label->SetTextSize(d.size);
    label->SetTextUnit(0);
    label->SetBounds(d.left, d.top, d.width, d.height);
    label->SetText(text);
    label->SetTextFont("System");
    label->SetTextColor(kWhite);
    label->SetTextAlign(0);
    label->SetMultiline(d.multiline);
    label->SetSelectable(false);
    label->SetTransparent(false);
}

void AddCanvas(Canvas* canvas, int left, int top, int width, int height) {
    canvas->SetBounds(left, top, width, height);
    canvas->SetTabStop(true);
    canvas->SetUseFocusRing(true);
    canvas->SetAcceptFocus(false);
    canvas->SetDoubleBuffer(false);
    canvas->SetEraseBackground(true);
}

}  // namespace

Dialog1* Dialog1::Instance() { return ImplicitInstance<Dialog1>(); }

String Dialog1::creditsText() {
    const String cr = Chr(13);
    return String("") + cr + "Tessarinds\xE2\x84\xA2  " + cr + cr + "Visit us online at " + kWebHost + cr + cr +
           "version " + kAppVersion + cr;
}

String Dialog1::buildInformation() {
    return String("Compiler: ") + kCompiler + EndOfLine() + "App Version: " + kAppVersion;
}

void Dialog1::Layout() {
    ApplyDesign({.title = "About Charvella", .width = 342, .height = 200, .placement = 3, .resizeable = false,
                 .liveResize = false, .minimizeButton = false, .maximizeButton = false, .backColor = kBlack,
                 .hasBackColor = true});
}

void Dialog1::CreateControls() { _CreateControls0(); }

// The name and the credits overlap, the logo and "TM" reach past the right
// edge, and the hot spot lies mostly outside the window: only its 40 x 40
// corner inside the window can be clicked. Created last, it lies over the
// credits where the two meet.
void Dialog1::_CreateControls0() {
    AddLabel(AddControl<Label>("StaticText1"), {9, 5, 256, 70, 24, true}, "Charvella\xE2\x84\xA2");
    AddLabel(AddControl<Label>("StaticText2"), {17, 42, 236, 155, 12, true}, creditsText());
    Canvas* logo = AddControl<Canvas>("Canvas1");
    AddCanvas(logo, 262, 7, 82, 83);
    // Without the picture the logo stays black.
    logo->SetBackdrop(smallblacklogo());
    AddLabel(AddControl<Label>("StaticText3"), {303, 56, 60, 16, 10, false}, "TM");
    Timer* timer = AddControl<Timer>("Timer1");
    timer->SetPeriod(18000);
    timer->SetMode(Timer::ModeSingle);
    Canvas* hotSpot = AddControl<Canvas>("Canvas2");
    AddCanvas(hotSpot, -60, 160, 100, 100);
    hotSpot->SetLockLeft(true);
    hotSpot->SetLockTop(true);
    hotSpot->MouseDown = [this, hotSpot](int x, int y) { return Canvas2_MouseDown(hotSpot, x, y); };
    hotSpot->MouseUp = [this, hotSpot](int x, int y) { Canvas2_MouseUp(hotSpot, x, y); };
}

Label* Dialog1::StaticText1() const { return ControlNamed<Label>("StaticText1"); }
Label* Dialog1::StaticText2() const { return ControlNamed<Label>("StaticText2"); }
Canvas* Dialog1::Canvas1() const { return ControlNamed<Canvas>("Canvas1"); }
Label* Dialog1::StaticText3() const { return ControlNamed<Label>("StaticText3"); }
Timer* Dialog1::Timer1() const { return ControlNamed<Timer>("Timer1"); }
Canvas* Dialog1::Canvas2() const { return ControlNamed<Canvas>("Canvas2"); }

bool Dialog1::Canvas2_MouseDown(Canvas*, int, int) { return true; }
void Dialog1::Canvas2_MouseUp(Canvas*, int, int) { StaticText2()->SetText(buildInformation()); }
bool Dialog1::Event_MouseDown(int, int) { return true; }
void Dialog1::Event_MouseUp(int, int) { Close(); }
