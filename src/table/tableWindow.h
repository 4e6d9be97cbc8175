#pragma once

// The code table "Charvella Table": the codes 0 to 255 (0 to 127 for ASCII)
// of the text encoding chosen in the popup, each with its character or
// control-code name and its decimal, hexadecimal and grouped binary forms.
// The arrows make the list's text larger or smaller; "?" shows a note on
// encodings.

#include "framework/BevelButton.h"
#include "framework/Label.h"
#include "framework/Listbox.h"
#include "framework/PopupMenu.h"
#include "framework/UpDownArrows.h"
#include "framework/Window.h"

class tableWindow : public fw::Window {
public:
    // The one code table window, created on first use.
    static tableWindow* Instance();

    fw::Listbox* listASCII() const;
    fw::BevelButton* BevelButton1() const;
    fw::PopupMenu* EncodingPopupMenu() const;
    fw::UpDownArrows* UpDownArrows1() const;
    fw::Label* StaticText1() const;

    void BevelButton1_Action(fw::BevelButton* button);
    void EncodingPopupMenu_Change(fw::PopupMenu* menu);
    void UpDownArrows1_Up(fw::UpDownArrows* arrows);
    void UpDownArrows1_Down(fw::UpDownArrows* arrows);
    void Event_Resized() override;
    void Event_Open() override;
    // Short column headings below a width of 480, long ones from there.
    void resizeWindow();

protected:
    void Layout() override;
    void CreateControls() override;

private:
    void _CreateControls0();
    // Fills the list afresh for the chosen encoding.
    void rebuildList();
    // Set only while the opening fill runs: that fill scrolls to "A".
    bool openingWindow = false;
};
