// The framework's windows, controls and event guard, with small windows of
// the tests' own.

#include "framework/Canvas.h"
#include "framework/Label.h"
#include "framework/PopupMenu.h"
#include "framework/PushButton.h"
#include "framework/Runtime.h"
#include "framework/Testing.h"
#include "framework/TextField.h"
#include "framework/Window.h"

#include "framework/QtAccess.h"

#include "TestWindows.h"
#include "TestTimers.h"

#include <QAccessible>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QTest>
#include <QWindow>

#include <chrono>
#include <functional>

#include <gtest/gtest.h>

using fw::internal::QtAccess;

using namespace fw;

namespace {

// A window with a field, a label and a button; it records what happened.
class Probe : public Window {
public:
    static Probe* Instance() { return ImplicitInstance<Probe>(); }
    std::vector<std::string> log;
    Window* seenDuringOpen = nullptr;

    TextField* field() const { return ControlNamed<TextField>("field"); }
    Label* label() const { return ControlNamed<Label>("label"); }

protected:
    void Layout() override {
        SetTitle("Probe");
        SetSize(200, 100);
    }
    void CreateControls() override {
        TextField* f = AddControl<TextField>("field");
        f->SetBounds(10, 10, 100, 22);
        f->SetText("design value");
        f->TextChange = [this] { log.push_back("TextChange"); };
        f->KeyDown = [this](const String& key) {
            log.push_back("KeyDown " + std::to_string(Asc(key)));
            return key == "x";  // the field never gets an x
        };
        AddControl<Label>("label")->SetBounds(10, 40, 150, 40);
        PushButton* b = AddControl<PushButton>("button");
        b->SetBounds(10, 70, 80, 20);
        b->Action = [] { throw NilObjectException(); };
    }
    void Event_Open() override { seenDuringOpen = Probe::Instance(); }
};

// The reset after each test closes and deletes the windows a test left.
using FrameworkWindows = ::testing::Test;

TEST_F(FrameworkWindows, ImplicitInstanceIsFoundDuringOpenAndForgottenAtClose) {
    Probe* probe = Probe::Instance();
    EXPECT_EQ(probe->seenDuringOpen, probe);
    EXPECT_EQ(Probe::Instance(), probe);
    EXPECT_TRUE(probe->log.empty()) << "applying design values raised a handler";
    EXPECT_EQ(probe->field()->Text(), "design value");

    probe->Close();
    EXPECT_EQ(WindowCount(), 0);
    fw::testing::ProcessEvents();
    Probe* again = Probe::Instance();
    EXPECT_EQ(again->field()->Text(), "design value");
    EXPECT_EQ(WindowCount(), 1);
}

// Screen readers ask for accessible objects while windows come and go: a
// control's widget, once gone, must be forgotten by the accessibility cache,
// or a new widget at the same address is answered with the dead one's.
TEST_F(FrameworkWindows, AGoneControlLeavesNoAccessibleObjectBehind) {
    auto labelled = [](const char* name) {
        return [name](TestWindow& w) { w.AddControl<Label>("label")->SetAccessibleName(name); };
    };
    Window* first = OpenTestWindow("First", 120, 60, labelled("first"));
    QAccessibleInterface* gone = QAccessible::queryAccessibleInterface(QtAccess::Widget(first->ControlNamed<Label>("label")));
    ASSERT_NE(gone, nullptr);
    const QAccessible::Id goneId = QAccessible::uniqueId(gone);
    first->Close();
    fw::testing::ProcessEvents();
    EXPECT_EQ(QAccessible::accessibleInterface(goneId), nullptr);

    Window* second = OpenTestWindow("Second", 120, 60, labelled("second"));
    QAccessibleInterface* now = QAccessible::queryAccessibleInterface(QtAccess::Widget(second->ControlNamed<Label>("label")));
    ASSERT_NE(now, nullptr);
    EXPECT_EQ(now->text(QAccessible::Name), "second");
}

TEST_F(FrameworkWindows, ControlsAreFoundByNameWithTheirClass) {
    Probe* probe = Probe::Instance();
    EXPECT_EQ(probe->ControlNamed<RectControl>("label")->Name(), "label");
    EXPECT_THROW(probe->ControlNamed<Label>("missing"), NilObjectException);
    EXPECT_THROW(probe->ControlNamed<TextField>("label"), IllegalCastException);
    EXPECT_EQ(QtAccess::Widget(probe->field())->geometry(), QRect(10, 10, 100, 22));
}

TEST_F(FrameworkWindows, WindowListRunsFrontToBackAsWindowsAreShownAndActivated) {
    Probe* probe = Probe::Instance();
    Window* other = OpenTestWindow("Other", 120, 60);
    EXPECT_EQ(WindowCount(), 2);
    EXPECT_EQ(WindowAt(0), other);
    EXPECT_EQ(WindowAt(1), probe);
    EXPECT_EQ(WindowAt(2), nullptr);
    EXPECT_EQ(WindowAt(-1), nullptr);

    probe->Show();
    EXPECT_EQ(WindowAt(0), probe);
    Activate(probe);

    // The user activating a window moves it to the front too.
    QtAccess::Window(other)->activateWindow();
    Activate(other);
    EXPECT_EQ(WindowAt(0), other);

    other->Close();
    EXPECT_EQ(WindowCount(), 1);
    EXPECT_EQ(WindowAt(0), probe);
}

TEST_F(FrameworkWindows, ModalSheetReturnsOnceItCloses) {
    Probe* probe = Probe::Instance();
    Window* sheet = OpenTestWindow("Sheet", 100, 50, {}, true);
    EXPECT_EQ(WindowCount(), 2);
    After(0, [sheet] {
        EXPECT_EQ(WindowAt(0), sheet) << "a shown sheet is the front window";
        sheet->Close();
    });
    sheet->ShowModalWithin(probe);
    EXPECT_EQ(WindowCount(), 1);
    EXPECT_EQ(WindowAt(0), probe);
}

TEST_F(FrameworkWindows, KeyDownSeesKeysFirstAndCanKeepThem) {
    Probe* probe = Probe::Instance();
    Activate(probe);
    probe->field()->SetText("");
    probe->field()->SetFocus();
    probe->log.clear();
    QWindow* handle = QtAccess::Window(probe)->windowHandle();
    QTest::keyClick(handle, 'a');
    QTest::keyClick(handle, 'x');
    QTest::keyClick(handle, Qt::Key_Left);
    QTest::keyClick(handle, Qt::Key_Backspace);
    EXPECT_EQ(probe->log, (std::vector<std::string>{"KeyDown 97", "TextChange", "KeyDown 120", "KeyDown 28",
                                                    "KeyDown 8"}));
    EXPECT_EQ(probe->field()->Text(), "a") << "the kept x never reached the field";
}

TEST_F(FrameworkWindows, SelectionCountsCharactersNotUtf16Units) {
    Probe* probe = Probe::Instance();
    TextField* field = probe->field();
    field->SetText("a\xF0\x9F\x98\x80" "bc");  // a, an emoji outside the BMP, b, c
    field->SetSelStart(1);
    field->SetSelLength(2);
    EXPECT_EQ(field->SelText(), "\xF0\x9F\x98\x80" "b");
    EXPECT_EQ(field->SelStart(), 1);
    EXPECT_EQ(field->SelLength(), 2);
}

TEST_F(FrameworkWindows, CarriageReturnsShowAsLineBreaks) {
    Probe* probe = Probe::Instance();
    probe->label()->SetText(String("one") + Chr(13) + "two");
    EXPECT_EQ(static_cast<QLabel*>(QtAccess::Widget(probe->label()))->text(), "one\ntwo");
    EXPECT_EQ(probe->label()->Text(), String("one") + Chr(13) + "two");
}

TEST_F(FrameworkWindows, AnEscapingExceptionIsReportedAndTheProgramGoesOn) {
    fw::testing::TakeMessageBoxes();
    Probe* probe = Probe::Instance();
    Activate(probe);
    QTest::mouseClick(QtAccess::Widget(probe->ControlNamed<PushButton>("button")), Qt::LeftButton);
    EXPECT_EQ(fw::testing::TakeMessageBoxes(),
              std::vector<std::string>{"An exception of class NilObjectException was not handled."});
}

TEST_F(FrameworkWindows, PopupSeparatorsCountAsRowsButCannotBeChosen) {
    std::vector<std::string> changes;
    PopupMenu* p = nullptr;
    TestWindow* host = OpenTestWindow("Popup", 200, 60, [&](TestWindow& w) {
        p = w.AddControl<PopupMenu>("p");
        p->SetBounds(10, 10, 120, 20);
        for (const char* row : {"one", "-", "two"}) p->AddRow(row);
        p->SetListIndex(0);
        p->Change = [&] { changes.push_back(p->Text().ToUTF8()); };
    });
    EXPECT_EQ(p->ListCount(), 3);
    EXPECT_EQ(p->List(1), "-");
    EXPECT_EQ(p->Text(), "one");
    EXPECT_TRUE(changes.empty()) << "the design value raised Change";

    for (int refused : {1, 3, -2}) {
        p->SetListIndex(refused);
        EXPECT_EQ(p->ListIndex(), 0) << refused;
    }
    p->SetListIndex(2);
    EXPECT_EQ(p->ListIndex(), 2);

    // The user stepping through the rows with the keyboard passes over the separator.
    auto* combo = qobject_cast<QComboBox*>(QtAccess::Widget(p));
    Activate(host);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Up);
    EXPECT_EQ(p->ListIndex(), 0);
    EXPECT_EQ(changes, (std::vector<std::string>{"two", "one"}));
}

TEST_F(FrameworkWindows, LockedEdgesFollowTheWindowAndResizedFollows) {
    TestWindow* host = OpenTestWindow("Locks", 200, 100, [](TestWindow& w) {
        struct Design { const char* name; bool left, top, right, bottom; };
        for (const Design& d : {Design{"fixed", false, false, false, false}, Design{"right", false, false, true, false},
                                Design{"wide", true, true, true, false}, Design{"all", true, true, true, true},
                                Design{"bottom", false, false, false, true}}) {
            Label* l = w.AddControl<Label>(d.name);
            l->SetBounds(10, 10, 50, 20);
            l->SetLockLeft(d.left);
            l->SetLockTop(d.top);
            l->SetLockRight(d.right);
            l->SetLockBottom(d.bottom);
        }
    });
    Activate(host);
    int resized = 0;
    host->resized = [&] { ++resized; };
    host->SetSize(260, 140);
    fw::testing::ProcessEvents();
    auto bounds = [host](const char* name) {
        const RectControl* c = host->ControlNamed<RectControl>(name);
        return QRect(c->Left(), c->Top(), c->Width(), c->Height());
    };
    EXPECT_EQ(bounds("fixed"), QRect(10, 10, 50, 20));
    EXPECT_EQ(bounds("right"), QRect(70, 10, 50, 20));
    EXPECT_EQ(bounds("wide"), QRect(10, 10, 110, 20));
    EXPECT_EQ(bounds("all"), QRect(10, 10, 110, 60));
    EXPECT_EQ(bounds("bottom"), QRect(10, 50, 50, 20));
    EXPECT_GE(resized, 1);

    // Back to the design size, everything is where the design put it.
    host->SetSize(200, 100);
    fw::testing::ProcessEvents();
    for (const char* name : {"fixed", "right", "wide", "all", "bottom"})
        EXPECT_EQ(bounds(name), QRect(10, 10, 50, 20)) << name;
}

// A window that closes itself from its button's handler and then goes on
// working, as the block converter's conversion does; it notes its own end.
class SelfCloser : public Window {
public:
    static inline bool destroyed = false;
    static inline std::vector<std::string> log;
    std::function<void(SelfCloser*)> onPush;
    ~SelfCloser() override { destroyed = true; }

    PushButton* button() const { return ControlNamed<PushButton>("button"); }
    TextField* field() const { return ControlNamed<TextField>("field"); }

protected:
    void Layout() override {
        SetTitle("Closer");
        SetSize(200, 80);
    }
    void CreateControls() override {
        AddControl<TextField>("field")->SetBounds(10, 10, 100, 22);
        PushButton* b = AddControl<PushButton>("button");
        b->SetBounds(10, 40, 80, 20);
        b->Action = [this] { onPush(this); };
    }
};

// Opens a SelfCloser and pushes its button, as the user does.
void PushSelfCloser(std::function<void(SelfCloser*)> onPush) {
    SelfCloser::destroyed = false;
    SelfCloser::log.clear();
    auto* w = new SelfCloser();
    w->onPush = std::move(onPush);
    w->Construct();
    Activate(w);
    QTest::mouseClick(QtAccess::Widget(w->button()), Qt::LeftButton);
}

// Yields for a while, as a long loop does, so that pending events are run.
void YieldFor(std::chrono::milliseconds span) {
    const auto end = std::chrono::steady_clock::now() + span;
    while (std::chrono::steady_clock::now() < end) YieldToScheduler();
}

TEST_F(FrameworkWindows, AWindowClosedByItsOwnHandlerLivesUntilTheHandlerEnds) {
    PushSelfCloser([](SelfCloser* self) {
        self->Close();
        YieldFor(std::chrono::milliseconds(150));
        // Still whole: its controls answer after the yields ran queued events.
        self->field()->SetText("still here");
        SelfCloser::log.push_back(SelfCloser::destroyed ? "freed" : self->field()->Text().ToUTF8());
    });
    EXPECT_EQ(SelfCloser::log, std::vector<std::string>{"still here"});
    EXPECT_EQ(WindowCount(), 0);
    fw::testing::ProcessEvents();
    EXPECT_TRUE(SelfCloser::destroyed) << "deleted once the handler returned";
}

TEST_F(FrameworkWindows, ClosingAWindowClosesItsModalSheetFirstAndTheHandlerGoesOn) {
    PushSelfCloser([](SelfCloser* self) {
        Window* sheet = OpenTestWindow("Sheet", 100, 50, {}, true);
        // While the sheet waits for an answer, the window itself is closed.
        After(10, [self] { self->Close(); });
        sheet->ShowModalWithin(self);
        SelfCloser::log.push_back(sheet->IsClosed() ? "sheet closed" : "sheet open");
        self->field()->SetText("after the sheet");
        SelfCloser::log.push_back(self->field()->Text().ToUTF8());
    });
    EXPECT_EQ(SelfCloser::log, (std::vector<std::string>{"sheet closed", "after the sheet"}));
    EXPECT_EQ(WindowCount(), 0);
    fw::testing::ProcessEvents();
    EXPECT_TRUE(SelfCloser::destroyed);
}

// A label draws its text and nothing else: what lies beneath its box, the
// window's back colour, a picture or another label created before it, shows
// through, whether the label is set transparent or not.
TEST_F(FrameworkWindows, LabelsDrawOnlyTheirTextOverWhatLiesBeneath) {
    constexpr QRgb kBack = 0x203050, kPicture = 0xE02010;
    QImage red(60, 40, QImage::Format_RGB32);
    red.fill(kPicture);
    Label *under = nullptr, *over = nullptr, *onPicture = nullptr;
    WindowDesign design;
    design.title = "Labels";
    design.width = 240;
    design.height = 100;
    design.backColor = Color(kBack & 0xFFFFFF);
    design.hasBackColor = true;
    auto* window = new TestWindow(design, [&](TestWindow& w) {
        under = w.AddControl<Label>("under");  // right-aligned, its text under the other's box
        under->SetBounds(10, 10, 200, 20);
        under->SetTextAlign(3);
        under->SetText("12345 right");
        over = w.AddControl<Label>("over");
        over->SetBounds(10, 10, 180, 20);
        over->SetText("left");
        w.AddControl<Canvas>("picture")->SetBounds(10, 50, 60, 40);
        w.ControlNamed<Canvas>("picture")->SetBackdrop(QtAccess::MakePicture(red));
        onPicture = w.AddControl<Label>("onPicture");
        onPicture->SetBounds(40, 60, 80, 20);
        onPicture->SetText("TM");
        for (Label* l : {under, over, onPicture}) {
            l->SetTextColor(Color(0xFFFFFF));
            l->SetTransparent(false);
        }
    });
    window->Construct();
    Activate(window);
    QWidget* content = QtAccess::Content(window);
    const QImage picture = content->grab().toImage();
    const auto light = [](QRgb c) { return qGray(c) > 160; };
    // The first digit of the right-aligned text, inside the other label's box.
    const auto* underWidget = static_cast<QLabel*>(QtAccess::Widget(under));
    const QFontMetrics fm(underWidget->font());
    const int textLeft = 10 + 200 - fm.horizontalAdvance(underWidget->text());
    ASSERT_LT(textLeft + fm.horizontalAdvance("1"), 10 + 180) << "the texts do not overlap the other box";
    EXPECT_GE(PixelsWhere(picture, QRect(textLeft, 10, fm.horizontalAdvance("1"), 20), light), 5);
    EXPECT_GE(PixelsWhere(picture, QRect(10, 10, fm.horizontalAdvance("left"), 20), light), 10) << "the upper label's own text";
    // Beside the texts, the window's colour; the picture under "TM" stays.
    EXPECT_EQ(picture.pixel(120, 20) & 0xFFFFFF, kBack);
    const QRect onPictureBox(40, 60, 30, 20);  // where the label lies over the canvas
    EXPECT_GE(PixelsWhere(picture, onPictureBox, [](QRgb c) { return c == kPicture; }), onPictureBox.width() * onPictureBox.height() / 2);
    EXPECT_GE(PixelsWhere(picture, QRect(40, 60, fm.horizontalAdvance("TM"), 20), light), 10);
    EXPECT_EQ(picture.pixel(110, 70) & 0xFFFFFF, kBack) << "beside the picture, the label's box shows the window";
}

}  // namespace
