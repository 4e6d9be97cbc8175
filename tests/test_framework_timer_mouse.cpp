// The framework's timers and a window's own mouse presses, with small windows of the tests' own.

#include "framework/Canvas.h"
#include "framework/Label.h"
#include "framework/Testing.h"
#include "framework/Timer.h"
#include "framework/Window.h"

#include "framework/QtAccess.h"

#include "TestWindows.h"
#include "TestTimers.h"

#include <QMainWindow>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using fw::internal::QtAccess;
using namespace fw;

namespace {

using Strings = std::vector<std::string>;

// A window with a label, a canvas that handles the mouse, one that does not,
// and a timer; it records its mouse events.
class Surface : public Window {
public:
    Strings log;
    bool trackWindow = true;
    std::function<void()> onTimer;

    Label* label() const { return ControlNamed<Label>("label"); }
    Canvas* handling() const { return ControlNamed<Canvas>("handling"); }
    Canvas* plain() const { return ControlNamed<Canvas>("plain"); }
    Timer* timer() const { return ControlNamed<Timer>("timer"); }

    bool Event_MouseDown(int x, int y) override {
        log.push_back("window down " + std::to_string(x) + "," + std::to_string(y));
        return trackWindow;
    }
    void Event_MouseUp(int x, int y) override { log.push_back("window up " + std::to_string(x) + "," + std::to_string(y)); }

protected:
    void Layout() override {
        SetTitle("Surface");
        SetSize(200, 100);
    }
    void CreateControls() override {
        AddControl<Label>("label")->SetBounds(10, 10, 60, 20);
        Canvas* handling = AddControl<Canvas>("handling");
        handling->SetBounds(100, 10, 40, 40);
        handling->MouseDown = [this](int x, int y) {
            log.push_back("canvas down " + std::to_string(x) + "," + std::to_string(y));
            return true;
        };
        handling->MouseUp = [this](int, int) { log.push_back("canvas up"); };
        AddControl<Canvas>("plain")->SetBounds(150, 10, 40, 40);
        Timer* t = AddControl<Timer>("timer");
        t->Action = [this] {
            log.push_back("timer");
            if (onTimer) onTimer();
        };
    }
};

class FrameworkTimerMouse : public ::testing::Test {
protected:
    void SetUp() override {
        surface = new Surface();
        surface->Construct();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(QtAccess::Window(surface)->windowHandle()));
    }
    void Click(int x, int y) { ClickAt(surface, x, y); }
    Surface* surface = nullptr;
};

TEST_F(FrameworkTimerMouse, PressesOnTheSurfaceAndOnControlsThatLeaveThemGoToTheWindow) {
    struct Case {
        int x, y;
        Strings log;
    };
    const Case cases[] = {
        {50, 80, {"window down 50,80", "window up 50,80"}},      // bare surface
        {20, 15, {"window down 20,15", "window up 20,15"}},      // a label leaves the click to the window
        {160, 20, {"window down 160,20", "window up 160,20"}},   // so does a canvas without a handler
        {110, 30, {"canvas down 10,20", "canvas up"}},           // a canvas that handles it keeps it
    };
    for (const Case& c : cases) {
        surface->log.clear();
        Click(c.x, c.y);
        EXPECT_EQ(surface->log, c.log) << c.x << "," << c.y;
    }
    // False from MouseDown: no MouseUp follows.
    surface->trackWindow = false;
    surface->log.clear();
    Click(50, 80);
    EXPECT_EQ(surface->log, Strings{"window down 50,80"});
    EXPECT_EQ(QtAccess::Widget(surface->handling())->focusPolicy(), Qt::NoFocus) << "a click leaves the focus alone";
}

TEST_F(FrameworkTimerMouse, TimerModes) {
    Timer* timer = surface->timer();
    EXPECT_EQ(timer->Mode(), Timer::ModeOff);
    timer->SetPeriod(5);
    ASSERT_TRUE(PeriodPassed(20));
    EXPECT_TRUE(surface->log.empty()) << "a timer that is off never fires";

    timer->SetMode(Timer::ModeSingle);
    EXPECT_EQ(timer->Period(), 5);
    ASSERT_TRUE(Eventually([&] { return !surface->log.empty(); }));
    EXPECT_EQ(timer->Mode(), Timer::ModeOff) << "a single firing switches the timer off";
    ASSERT_TRUE(PeriodPassed(20));
    EXPECT_EQ(surface->log, Strings{"timer"});

    surface->log.clear();
    timer->SetMode(Timer::ModeMultiple);
    ASSERT_TRUE(Eventually([&] { return surface->log.size() >= 3; }));
    EXPECT_EQ(timer->Mode(), Timer::ModeMultiple);
    timer->SetMode(Timer::ModeOff);
    surface->log.clear();
    ASSERT_TRUE(PeriodPassed(20));
    EXPECT_TRUE(surface->log.empty());
}

TEST_F(FrameworkTimerMouse, ATimerPlacedOnAWindowGoesWithIt) {
    Timer* timer = surface->timer();
    timer->SetPeriod(20);
    timer->SetMode(Timer::ModeMultiple);
    QPointer<QTimer> qtimer = QtAccess::Timer(timer);
    ASSERT_TRUE(qtimer);
    // The window closes from the timer's own handler and is deleted once it returns.
    int firings = 0;
    surface->onTimer = [&] {
        ++firings;
        surface->Close();
    };
    ASSERT_TRUE(Eventually([&] { return firings == 1; }));
    fw::testing::ProcessEvents();
    EXPECT_FALSE(qtimer) << "the timer was deleted with its window";
    ASSERT_TRUE(PeriodPassed(60));
    EXPECT_EQ(firings, 1);
    EXPECT_EQ(WindowCount(), 0);
}

}  // namespace
