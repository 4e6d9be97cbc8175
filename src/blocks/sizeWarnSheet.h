#pragma once

// The sheet that asks before a block of more than 20000 characters is
// converted: only the first part, all of it, or nothing. The answer goes back
// in globalVars.convert1000 and globalVars.convertAnyway.

#include "framework/Canvas.h"
#include "framework/Label.h"
#include "framework/PushButton.h"
#include "framework/Window.h"

class sizeWarnSheet : public fw::Window {
public:
    // The one warning sheet, created hidden on first use.
    static sizeWarnSheet* Instance();

    fw::Label* StaticText1() const;
    fw::PushButton* PushButton1() const;
    fw::PushButton* PushButton2() const;
    fw::Canvas* Canvas1() const;
    fw::PushButton* PushButton3() const;
    fw::Label* StaticText2() const;

    void PushButton1_Action(fw::PushButton* button);
    void PushButton2_Action(fw::PushButton* button);
    void PushButton3_Action(fw::PushButton* button);
    void Event_Open() override;

protected:
    void Layout() override;
    void CreateControls() override;

private:
    void _CreateControls0();
};
