#pragma once

// The converter window "Type a Code or Key": one character shown at once as
// the character (or its control-code name), its decimal, hexadecimal and
// grouped binary codes. A key pressed in the character field, or a code typed
// into one of the code fields, fills in the other three.

#include "EditSelectAllField.h"

#include <cstdint>
#include "framework/Canvas.h"
#include "framework/Label.h"
#include "framework/PushButton.h"
#include "framework/Window.h"

class Window1 : public fw::Window {
public:
    // The one converter window, created on first use.
    static Window1* Instance();

    // True from a key's display until the next key press in the character
    // field: the field's own changes meanwhile are not processed again.
    bool alreadyChanged = false;

    EditSelectAllField* outputChar() const;
    EditSelectAllField* outputBin() const;
    EditSelectAllField* outputDec() const;
    EditSelectAllField* outputHex() const;
    fw::Canvas* aboutButtonCanvas() const;
    fw::Label* inputCharacter() const;
    fw::Label* asciiValueOut() const;
    fw::Label* StaticText2() const;
    fw::Label* StaticText4() const;
    fw::PushButton* PushButton1() const;
    fw::Label* errorField() const;
    fw::PushButton* PushButton2() const;

    void outputChar_TextChange(EditSelectAllField* field);
    void outputChar_GotFocus(EditSelectAllField* field);
    bool outputChar_KeyDown(EditSelectAllField* field, const fw::String& key);
    void outputBin_TextChange(EditSelectAllField* field);
    void outputBin_GotFocus(EditSelectAllField* field);
    bool outputBin_KeyDown(EditSelectAllField* field, const fw::String& key);
    void outputDec_TextChange(EditSelectAllField* field);
    void outputDec_GotFocus(EditSelectAllField* field);
    bool outputDec_KeyDown(EditSelectAllField* field, const fw::String& key);
    void outputHex_TextChange(EditSelectAllField* field);
    void outputHex_GotFocus(EditSelectAllField* field);
    bool outputHex_KeyDown(EditSelectAllField* field, const fw::String& key);
    void aboutButtonCanvas_MouseUp(fw::Canvas* canvas, int x, int y);
    bool aboutButtonCanvas_MouseDown(fw::Canvas* canvas, int x, int y);
    // "Blocks": shows the block converter.
    void PushButton1_Action(fw::PushButton* button);
    void PushButton2_Action(fw::PushButton* button);

    void Event_Open() override;
    // Shows a key: its character or name, and its three codes.
    void keyProcess(const fw::String& key);
    // Puts the masked application icon on the icon button.
    void maskIcon();
    // Shows the character or control-code name of a code, selected.
    void charDisplay(int32_t code);
    // Writes the decimal and hexadecimal fields again from the binary field,
    // in the forms the HTML setting now asks for. The text is not used.
    void binProcess(const fw::String& text);

protected:
    void Layout() override;
    void CreateControls() override;

private:
    void _CreateControls0();
    // Reads the binary field and shows its code; false when it is rejected.
    bool showBinaryField();
};
