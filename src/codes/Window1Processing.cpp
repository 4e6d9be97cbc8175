// The converter window's key and code processing. Each code field's
// TextChange acts only while that field has the focus, so the program's own
// writes into the other fields start no second conversion.

#include "Charvella.h"
#include "globalVars.h"
#include "ControlCharNames.h"
#include "TextUtilitiesSubset.h"
#include "Window1.h"

#include <utility>

using namespace fw;

namespace {

const String kKeysShownAtOnce = "0,3,8,9,13,23,27,28,29,30,31,32";

String DecimalForm(double code) {
    const String digits = Str(static_cast<int64_t>(code));
    return globalVars::showHTML ? "&#" + digits + ";" : digits;
}

String HexForm(double code) {
    String digits = Hex(static_cast<int64_t>(code));
    while (Len(digits) < 2) digits = "0" + digits;
    return globalVars::showHTML ? "%" + digits : digits;
}

}  // namespace

bool Window1::outputChar_KeyDown(EditSelectAllField*, const String& key) {
    alreadyChanged = false;
    const String k = TextUtilitiesSubset::ConvertText(key, TextUtilitiesSubset::SystemEncoding());
    outputChar()->SetText(k);
    if (NonNil(App())->isIn(Asc(k), kKeysShownAtOnce)) keyProcess(k);
    // The key is shown already: typed into the field as well it would replace
    // the selected name (Space, Backspace) or drop the selection (letters,
    // arrows). Tab alone goes on, to move the focus.
    return Asc(k) != 9;
}

void Window1::outputChar_TextChange(EditSelectAllField*) {
    if (NonNil(App())->focusLocation != 1 || alreadyChanged) return;
    keyProcess(TextUtilitiesSubset::ConvertText(outputChar()->Text(), TextUtilitiesSubset::SystemEncoding()));
}

void Window1::keyProcess(const String& key) {
    errorField()->SetText("");
    // Before any write: the character field's TextChange must not run again.
    alreadyChanged = true;
    charDisplay(Asc(DefineEncoding(key, Encodings::MacRoman())));
    const int code = Asc(key);
    outputDec()->SetText(DecimalForm(code));
    outputHex()->SetText(HexForm(code));
    outputBin()->SetText(Right(NonNil(App())->binary(Hex(code)), 9));
}

void Window1::charDisplay(int32_t code) {
    EditSelectAllField* field = outputChar();
    if (code >= 0 && code <= 32)
        field->SetText(controlCharNames[code]);
    else
        field->SetText(Encodings::MacRoman().Chr(code));
    // Selected, so that the next key typed replaces it.
    field->SetSelStart(0);
    field->SetSelLength(Len(field->Text()));
}

void Window1::outputDec_TextChange(EditSelectAllField*) {
    Charvella* app = NonNil(App());
    if (app->focusLocation != 2) return;
    errorField()->SetText("");
    // Blanks and the HTML marks may be typed.
    const String s = app->removeDecHTML(app->removeSpaces(outputDec()->Text()));
    const double v = Val(s);
    if (v > 255 || v < 0 || app->invalidDec(s)) {
        outputChar()->SetText("");
        outputBin()->SetText("");
        outputHex()->SetText("");
        errorField()->SetText("Decimal value out of range (0-255).");
        return;
    }
    outputHex()->SetText(HexForm(v));
    // The "%" of the HTML form adds no binary group.
    outputBin()->SetText(Right(app->binary(outputHex()->Text()), 9));
    charDisplay(static_cast<int32_t>(v));
}

void Window1::outputHex_TextChange(EditSelectAllField*) {
    Charvella* app = NonNil(App());
    if (app->focusLocation != 3) return;
    errorField()->SetText("");
    const String s = app->removeHexHTML(app->removeSpaces(outputHex()->Text()));
    if (app->invalidHex(s) || Len(s) > 2) {
        outputChar()->SetText("");
        outputBin()->SetText("");
        outputDec()->SetText("");
        errorField()->SetText("Hex value out of range (00-FF).");
        return;
    }
    outputDec()->SetText(DecimalForm(Val("&H" + s)));
    charDisplay(static_cast<int32_t>(Val(app->removeDecHTML(outputDec()->Text()))));
    outputBin()->SetText(Right(app->binary(s), 9));
}

void Window1::outputBin_TextChange(EditSelectAllField*) {
    if (NonNil(App())->focusLocation != 4) return;
    errorField()->SetText("");
    showBinaryField();
}

void Window1::binProcess(const String&) {
    // The codes come from the binary field wherever the focus is: the focused
    // field must not take the program's writes for typing and convert again.
    struct FocusOnBinaryField {
        int32_t& focus;
        const int32_t saved = std::exchange(focus, 4);
        ~FocusOnBinaryField() { focus = saved; }
    } whileWriting{NonNil(App())->focusLocation};
    if (showBinaryField()) errorField()->SetText("");
}

bool Window1::showBinaryField() {
    Charvella* app = NonNil(App());
    // The grouped form may be typed with its blank.
    const String s = app->removeSpaces(outputBin()->Text());
    const bool badDigit = app->invalidBin(s);
    if (badDigit || Len(s) > 8) {
        outputChar()->SetText("");
        outputDec()->SetText("");
        outputHex()->SetText("");
        errorField()->SetText(badDigit ? "Binary values can only include 0 and 1."
                                       : "Binary out of range (max 11111111).");
        return false;
    }
    const double v = Val("&b" + s);
    outputDec()->SetText(DecimalForm(v));
    outputHex()->SetText(HexForm(v));
    charDisplay(static_cast<int32_t>(Val(app->removeDecHTML(outputDec()->Text()))));
    return true;
}
