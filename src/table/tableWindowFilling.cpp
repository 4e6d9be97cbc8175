// The filling of the code table: one row per code of the chosen encoding.

#include "Charvella.h"
#include "ControlCharNames.h"
#include "framework/Runtime.h"
#include "tableWindow.h"

using namespace fw;

namespace {

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

}  // namespace

void tableWindow::rebuildList() {
    Listbox* list = listASCII();
    const TextEncoding encoding = EncodingNamed(EncodingPopupMenu()->Text());
    // ASCII has no codes above 127.
    const int last = encoding == Encodings::ASCII() ? 127 : 255;
    list->SetVisible(false);
    list->DeleteAllRows();
    for (int column = 0; column < 4; ++column) list->SetColumnAlignment(column, 2);

    for (int n = 0; n <= last; ++n) {
        list->AddRow(n < 33 ? controlCharNames[n] : encoding.Chr(n));
        list->SetCell(n, 1, Str(n));
        // The columns come from the code alone, never from the character.
        String h = Hex(n);
        if (Len(h) < 2) h = "0" + h;
        list->SetCell(n, 2, h);
        list->SetCell(n, 3, Right(NonNil(App())->binary(h), 9));
        YieldToScheduler();
    }

    if (openingWindow) list->SetScrollPosition(65);
    list->SetVisible(true);
}
