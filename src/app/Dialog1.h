#pragma once

// The About box: a small black window with the product's name, the credits
// and the logo. A click on its surface closes it; a click on the unmarked
// square in its bottom-left corner shows the build information instead of
// the credits.

#include "framework/Canvas.h"
#include "framework/Label.h"
#include "framework/Timer.h"
#include "framework/Window.h"

class Dialog1 : public fw::Window {
public:
    // The one About box, created on first use.
    static Dialog1* Instance();

    fw::Label* StaticText1() const;
    fw::Label* StaticText2() const;
    fw::Canvas* Canvas1() const;
    fw::Label* StaticText3() const;
    fw::Timer* Timer1() const;
    fw::Canvas* Canvas2() const;

    bool Canvas2_MouseDown(fw::Canvas* canvas, int x, int y);
    void Canvas2_MouseUp(fw::Canvas* canvas, int x, int y);
    bool Event_MouseDown(int x, int y) override;
    void Event_MouseUp(int x, int y) override;

    // The credits the box opens with, lines ending in carriage returns.
    static fw::String creditsText();
    // The compiler that built the program and the program's version.
    static fw::String buildInformation();

protected:
    void Layout() override;
    void CreateControls() override;

private:
    void _CreateControls0();
};
