// The filling of the code table: one row per code of the chosen encoding.

#include "app/Charvella.h"
#include "codes/ControlCharNames.h"
#include "framework/Runtime.h"
#include "table/tableWindow.h"

using namespace fw;

namespace {

const String kASCIIChoice = "ASCII (7 bit)";

// The popup's texts and the encodings they stand for.
struct EncodingChoice {
    const char* text;
    TextEncoding (*encoding)();
};
constexpr EncodingChoice kChoices[] = {
    {"ASCII (7 bit)", Encodings::ASCII},     {"MacRoman", Encodings::MacRoman},
    {"MacJapanese", Encodings::MacJapanese}, {"MacIcelandic", Encodings::MacIcelandic},
    {"MacGreek", Encodings::MacGreek},       {"MacCyrillic", Encodings::MacCyrillic},
    {"Unicode UTF-8", Encodings::UTF8},      {"Windows Latin 1", Encodings::WindowsLatin1},
    {"ISOLatin1", Encodings::ISOLatin1},     {"ISOLatin9", Encodings::ISOLatin9},
};

TextEncoding EncodingNamed(const String& choice) {
    for (const EncodingChoice& c : kChoices)
        if (choice.Bytes() == c.text) return c.encoding();
    return {};
}

// The character of a code in the chosen encoding; ASCII has none above 127.
String CharacterOf(const String& choice, int code) {
    if (choice.Bytes() == kASCIIChoice.Bytes() && code > 127) return String();
    return EncodingNamed(choice).Chr(code);
}

}  // namespace

void tableWindow::rebuildList() {
    Listbox* list = listASCII();
    PopupMenu* popup = EncodingPopupMenu();
    list->SetVisible(false);
    list->DeleteAllRows();
    for (int column = 0; column < 4; ++column) list->SetColumnAlignment(column, 2);

    for (int n = 0; n <= 255; ++n) {
        String c = CharacterOf(popup->Text(), n);
        if (n < 33) c = controlCharNames[n];
        if (popup->Text().Bytes() == kASCIIChoice.Bytes() && n > 127) {
            YieldToScheduler();
            continue;
        }
        list->AddRow(c);
        list->SetCell(n, 1, Str(n));
        // The columns come from the code alone, never from the character.
        const String digits = Hex(Asc(Chr(n)));
        String h = digits;
        while (Len(h) < 2) {
            h = "0" + h;
            YieldToScheduler();
        }
        list->SetCell(n, 2, h);
        list->SetCell(n, 3, Right(NonNil(App())->binary(digits), 9));
        YieldToScheduler();
    }

    if (openingWindow) list->SetScrollPosition(65);
    list->SetVisible(true);
}
