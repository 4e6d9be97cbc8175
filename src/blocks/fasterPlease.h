#pragma once

// The sheet "Processing" that stands on the block converter while a long
// block converts: an indeterminate bar and a line that says how far it is.

#include "framework/Label.h"
#include "framework/ProgressBar.h"
#include "framework/Window.h"

class fasterPlease : public fw::Window {
public:
    // The one progress sheet, created on first use; shown by ShowWithin.
    static fasterPlease* Instance();

    fw::ProgressBar* ProgressBar1() const;
    fw::Label* StaticText1() const;

    void Event_Open() override;

protected:
    void Layout() override;
    void CreateControls() override;

private:
    void _CreateControls0();
};
