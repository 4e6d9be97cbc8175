#pragma once

// The block converter "Block Convert": a whole block of text, or of decimal,
// hexadecimal or binary codes, typed, pasted or dropped into the input area
// and shown at once in the other three forms in the output areas below it.

#include "framework/DragItem.h"
#include "framework/Label.h"
#include "framework/PopupMenu.h"
#include "framework/Separator.h"
#include "framework/TextArea.h"
#include "framework/Window.h"

class BlockConvert : public fw::Window {
public:
    // The one block converter, created on first use.
    static BlockConvert* Instance();

    fw::TextArea* EditField1() const;
    fw::Label* StaticText1() const;
    fw::TextArea* EditField2() const;
    fw::Separator* Separator1() const;
    fw::Label* outputTitle2() const;
    fw::TextArea* EditField3() const;
    fw::Label* OutputTitle3() const;
    fw::TextArea* EditField4() const;
    fw::Label* OutputTitle4() const;
    fw::Label* charCountField() const;
    fw::PopupMenu* PopupType() const;
    fw::Label* StaticText5() const;

    void EditField1_Open(fw::TextArea* area);
    void EditField1_GotFocus(fw::TextArea* area);
    void EditField1_DropObject(fw::TextArea* area, const fw::DragItem& obj, int action);
    void EditField1_TextChange(fw::TextArea* area);
    void EditField2_GotFocus(fw::TextArea* area);
    void EditField3_GotFocus(fw::TextArea* area);
    void EditField4_GotFocus(fw::TextArea* area);
    void PopupType_Change(fw::PopupMenu* popup);

    void Event_Open() override;
    void Event_Activate() override;
    void Event_Resized() override;
    void Event_Resizing() override;

    // Converts the block s, read in the form the popup names, into the three
    // output areas; asks first about a very long block and shows progress
    // for a long one. s is taken in the system encoding, whoever passes it.
    void convertBlock(fw::String s);
    // One output broken into lines (kind "D", "H", "B" or "T").
    fw::String rewrapOutput(const fw::String& s, const fw::String& kind);

protected:
    void Layout() override;
    void CreateControls() override;

private:
    void _CreateControls0();
    // The three output areas share the height the window has beyond its design.
    void shareHeight();
};
