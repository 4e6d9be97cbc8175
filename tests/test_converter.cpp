// The converter window driven as a user drives it: clicks into its fields,
// keys sent to the window (so that they reach whatever has the focus), and
// what the four fields and the error line then show.

#include "ProgramFixture.h"

#include "Menu.h"
#include "globalVars.h"
#include "framework/Internal.h"

#include "framework/QtAccess.h"

#include <QAccessible>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>
#include <array>
#include <functional>
#include <ostream>

using fw::internal::QtAccess;

namespace {

// What the window shows: the four fields and the error line.
struct Shown {
    std::string chr, dec, hex, bin, error;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& s, std::ostream* os) {
    *os << "{char \"" << s.chr << "\", dec \"" << s.dec << "\", hex \"" << s.hex << "\", bin \"" << s.bin
        << "\", error \"" << s.error << "\"}";
}

constexpr const char* kDecError = "Decimal value out of range (0-255).";
constexpr const char* kHexError = "Hex value out of range (00-FF).";
constexpr const char* kBinDigitError = "Binary values can only include 0 and 1.";
constexpr const char* kBinRangeError = "Binary out of range (max 11111111).";

using Field = EditSelectAllField* (Window1::*)() const;
constexpr Field kChar = &Window1::outputChar;
constexpr Field kDec = &Window1::outputDec;
constexpr Field kHex = &Window1::outputHex;
constexpr Field kBin = &Window1::outputBin;

// Table rows are named after their case, in test names and in failures.
const auto kByName = [](const auto& info) { return std::string(info.param.name); };

}  // namespace

class ConverterTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        w = Converter();
    }

    Shown Showing() const {
        return {TextOf(w->outputChar()), TextOf(w->outputDec()), TextOf(w->outputHex()), TextOf(w->outputBin()),
                TextOf(w->errorField())};
    }

    void Click(Field field) const { ClickInto((w->*field)()); }

    // Clicks into a code field, selects what it holds and types over it.
    void Enter(Field field, const char* typed) const {
        Click(field);
        Press(w, Qt::Key_End);
        Press(w, Qt::Key_Home, Qt::ShiftModifier);
        Type(w, typed);
    }

    void SelectAll() const { Press(w, Qt::Key_A, Qt::ControlModifier); }

    // Whether Select All is enabled once the menus are prepared, as they are
    // before a menu opens or a shortcut is matched.
    static bool SelectAllEnabled() {
        fw::internal::PrepareMenus();
        return EditSelectAll()->Enabled();
    }

    // The whole text of the field is selected.
    static void ExpectAllSelected(EditSelectAllField* field) {
        EXPECT_EQ(field->SelStart(), 0);
        EXPECT_EQ(field->SelLength(), fw::Len(field->Text())) << TextOf(field);
    }

    Window1* w = nullptr;
};

// --- Keys pressed in the character field --------------------------------

struct KeyCase {
    const char* name;
    Qt::Key key;
    const char* text;  // what the key types, UTF-8
    Shown shown;
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class KeyInCharacterField : public ConverterTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeyInCharacterField, ShowsTheKeySelectedAndItsCodes) {
    const KeyCase& c = GetParam();
    Click(kChar);
    Press(w, c.key, QString::fromUtf8(c.text));
    EXPECT_EQ(Showing(), c.shown);
    ExpectAllSelected(w->outputChar());
    EXPECT_TRUE(HasFocus(w->outputChar()));
}

const KeyCase kKeys[] = {
    {"LetterA", Qt::Key_A, "A", {"A", "65", "41", "0100 0001", ""}},
    {"LowerCaseB", Qt::Key_B, "b", {"b", "98", "62", "0110 0010", ""}},
    {"EAcuteInMacRoman", Qt::Key_Eacute, "\u00e9", {"\u00e9", "142", "8E", "1000 1110", ""}},
    {"Space", Qt::Key_Space, " ", {"SPACE", "32", "20", "0010 0000", ""}},
    {"Return", Qt::Key_Return, "\r", {"CR", "13", "0D", "0000 1101", ""}},
    {"KeypadEnter", Qt::Key_Enter, "\r", {"ETX", "3", "03", "0000 0011", ""}},
    {"Backspace", Qt::Key_Backspace, "\b", {"BS", "8", "08", "0000 1000", ""}},
    {"Escape", Qt::Key_Escape, "\x1b", {"ESC", "27", "1B", "0001 1011", ""}},
    {"LeftArrow", Qt::Key_Left, "", {"\u2190", "28", "1C", "0001 1100", ""}},
    {"RightArrow", Qt::Key_Right, "", {"\u2192", "29", "1D", "0001 1101", ""}},
    {"UpArrow", Qt::Key_Up, "", {"\u2191", "30", "1E", "0001 1110", ""}},
    {"DownArrow", Qt::Key_Down, "", {"\u2193", "31", "1F", "0001 1111", ""}},
    {"ForwardDelete", Qt::Key_Delete, "\x7f", {"\x7f", "127", "7F", "0111 1111", ""}},
    // Keys outside the list shown at once reach the display through the
    // field's change.
    {"Home", Qt::Key_Home, "", {"SOH", "1", "01", "0000 0001", ""}},
    {"End", Qt::Key_End, "", {"EOT", "4", "04", "0000 0100", ""}},
    {"PageUp", Qt::Key_PageUp, "", {"VT", "11", "0B", "0000 1011", ""}},
    {"PageDown", Qt::Key_PageDown, "", {"FF", "12", "0C", "0000 1100", ""}},
};
INSTANTIATE_TEST_SUITE_P(Keys, KeyInCharacterField, ::testing::ValuesIn(kKeys), kByName);

TEST_F(ConverterTest, EachKeyReplacesTheLastOne) {
    Click(kChar);
    Type(w, "Az");
    EXPECT_EQ(Showing(), (Shown{"z", "122", "7A", "0111 1010", ""}));
    Press(w, Qt::Key_Return);
    Type(w, "7");
    EXPECT_EQ(Showing(), (Shown{"7", "55", "37", "0011 0111", ""}));
}

// Alt chords belong to the menus (Alt+F opens File) or to nobody: none is
// shown as a key.
TEST_F(ConverterTest, AltChordsAreNotKeys) {
    for (const Qt::Key key : {Qt::Key_F, Qt::Key_E, Qt::Key_H, Qt::Key_Z, Qt::Key_5}) {
        Click(kChar);
        Press(w, key, Qt::AltModifier);
        while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        QtAccess::Window(w)->activateWindow();
        EXPECT_EQ(Showing(), (Shown{"", "", "", "", ""})) << QKeySequence(key).toString().toStdString();
    }
}

// --- Codes typed into the code fields -----------------------------------

struct EntryCase {
    const char* name;
    Field field;
    bool html;
    const char* typed;  // '\b' erases
    Shown shown;
};

void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.name; }

class CodeEntry : public ConverterTest, public ::testing::WithParamInterface<EntryCase> {};

// The typed field keeps what was typed: the program's writes into the other
// fields start no conversion of their own.
TEST_P(CodeEntry, FillsInTheOtherFields) {
    const EntryCase& c = GetParam();
    globalVars::showHTML = c.html;
    Enter(c.field, c.typed);
    EXPECT_EQ(Showing(), c.shown);
    if (!c.shown.chr.empty()) ExpectAllSelected(w->outputChar());
}

const EntryCase kEntries[] = {
    {"Decimal", kDec, false, "65", {"A", "65", "41", "0100 0001", ""}},
    {"DecimalLeadingZero", kDec, false, "065", {"A", "065", "41", "0100 0001", ""}},
    {"DecimalWithBlank", kDec, false, "6 5", {"A", "6 5", "41", "0100 0001", ""}},
    {"DecimalHtmlForm", kDec, false, "&#65;", {"A", "&#65;", "41", "0100 0001", ""}},
    {"DecimalMax", kDec, false, "255", {"\u02c7", "255", "FF", "1111 1111", ""}},
    {"DecimalLineFeed", kDec, false, "10", {"LF", "10", "0A", "0000 1010", ""}},
    {"Decimal128", kDec, false, "128", {"\u00c4", "128", "80", "1000 0000", ""}},
    {"DecimalErased", kDec, false, "5\b", {"NUL", "", "00", "0000 0000", ""}},
    {"DecimalTooLarge", kDec, false, "256", {"", "256", "", "", kDecError}},
    {"DecimalNegative", kDec, false, "-1", {"", "-1", "", "", kDecError}},
    {"DecimalFraction", kDec, false, "12.5", {"", "12.5", "", "", kDecError}},
    {"DecimalShowingHtml", kDec, true, "65", {"A", "65", "%41", "0100 0001", ""}},
    {"Hex", kHex, false, "41", {"A", "65", "41", "0100 0001", ""}},
    {"HexOneDigit", kHex, false, "7", {"BEL", "7", "7", "0000 0111", ""}},
    {"HexPercent", kHex, false, "%41", {"A", "65", "%41", "0100 0001", ""}},
    {"HexPercentAndBlanks", kHex, false, "% 4 1", {"A", "65", "% 4 1", "0100 0001", ""}},
    {"HexLowerCase", kHex, false, "ff", {"\u02c7", "255", "ff", "1111 1111", ""}},
    {"HexThreeDigits", kHex, false, "041", {"", "", "041", "", kHexError}},
    {"HexNotADigit", kHex, false, "4G", {"", "", "4G", "", kHexError}},
    {"HexShowingHtml", kHex, true, "41", {"A", "&#65;", "41", "0100 0001", ""}},
    {"BinarySevenDigits", kBin, false, "1000001", {"A", "65", "41", "1000001", ""}},
    {"BinaryGrouped", kBin, false, "0100 0001", {"A", "65", "41", "0100 0001", ""}},
    {"BinaryNineDigits", kBin, false, "100000001", {"", "", "", "100000001", kBinRangeError}},
    {"BinaryNotADigit", kBin, false, "12", {"", "", "", "12", kBinDigitError}},
    {"BinaryNineWithA2", kBin, false, "111111112", {"", "", "", "111111112", kBinDigitError}},
    {"BinaryShowingHtml", kBin, true, "1000001", {"A", "&#65;", "%41", "1000001", ""}},
    {"KeyShowingHtml", kChar, true, "A", {"A", "&#65;", "%41", "0100 0001", ""}},
};
INSTANTIATE_TEST_SUITE_P(Codes, CodeEntry, ::testing::ValuesIn(kEntries), kByName);

TEST_F(ConverterTest, ValidEntryAfterAnErrorEmptiesTheErrorLine) {
    Enter(kDec, "256");
    Press(w, Qt::Key_Backspace);
    EXPECT_EQ(Showing(), (Shown{"EM", "25", "19", "0001 1001", ""}));

    Enter(kHex, "1FF");
    ASSERT_EQ(TextOf(w->errorField()), kHexError);
    Click(kChar);
    Type(w, "A");
    EXPECT_EQ(Showing(), (Shown{"A", "65", "41", "0100 0001", ""}));

    Enter(kBin, "2");
    ASSERT_EQ(TextOf(w->errorField()), kBinDigitError);
    Type(w, "\b1");
    EXPECT_EQ(Showing(), (Shown{"SOH", "1", "01", "1", ""}));
}

// --- Rewriting the codes after the HTML setting changed -------------------

// Wherever the user is when the setting changes, the rewrite follows it.
TEST_F(ConverterTest, BinProcessRewritesDecimalAndHexInTheCurrentForm) {
    const Shown html{"A", "&#65;", "%41", "1000001", ""}, plain{"A", "65", "41", "1000001", ""};
    const Shown notBinary{"", "", "", "12", kBinDigitError};
    struct Case {
        const char* binary;
        Field focus;
        Shown html, plain;
    } const cases[] = {{"1000001", kBin, html, plain},  {"1000001", kChar, html, plain}, {"1000001", kDec, html, plain},
                       {"1000001", kHex, html, plain},  {"12", kDec, notBinary, notBinary}};
    for (const Case& c : cases) {
        Enter(kBin, c.binary);
        Click(c.focus);
        globalVars::showHTML = true;
        w->binProcess("");
        EXPECT_EQ(Showing(), c.html) << TextOf((w->*c.focus)());
        globalVars::showHTML = false;
        w->binProcess("");
        EXPECT_EQ(Showing(), c.plain);
    }
}

// The focus code is the decimal field's again once the rewrite is done: what
// the user types there next is converted.
TEST_F(ConverterTest, DecimalFieldConvertsAgainAfterBinProcess) {
    Enter(kBin, "1000001");
    Click(kDec);
    globalVars::showHTML = true;
    w->binProcess("");
    ASSERT_EQ(Showing(), (Shown{"A", "&#65;", "%41", "1000001", ""}));
    EXPECT_EQ(App()->focusLocation, 2);
    Press(w, Qt::Key_End);
    Press(w, Qt::Key_Home, Qt::ShiftModifier);
    Type(w, "66");
    EXPECT_EQ(Showing(), (Shown{"B", "66", "%42", "0100 0010", ""}));
}

// --- Pasting --------------------------------------------------------------

// LimitText 0 is no limit: a paste longer than Qt's default maximum length
// arrives whole, by the shortcut and by the Edit menu alike.
TEST_F(ConverterTest, LongPasteArrivesWhole) {
    const QString blanks(40000, ' ');
    QApplication::clipboard()->setText(blanks + "65");
    const std::function<void()> pastes[] = {
        [this] { Press(w, Qt::Key_V, Qt::ControlModifier); },
        [this] {
            QMenuBar* bar = QtAccess::Window(w)->menuBar();
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(bar->actions()[1]).center());
            QMenu* edit = bar->actions()[1]->menu();
            ASSERT_TRUE(edit->isVisible());
            QAction* paste = edit->actions()[4];
            ASSERT_EQ(paste->text().toStdString(), "Paste");
            QTest::mouseClick(edit, Qt::LeftButton, {}, edit->actionGeometry(paste).center());
        },
    };
    for (const auto& paste : pastes) {
        Enter(kDec, "");
        paste();
        EXPECT_EQ(fw::Len(w->outputDec()->Text()), 40002);
        EXPECT_EQ(Showing(), (Shown{"A", (blanks + "65").toStdString(), "41", "0100 0001", ""}));
        EXPECT_TRUE(fw::testing::TakeMessageBoxes().empty());
    }
}

// --- Select All -----------------------------------------------------------

TEST_F(ConverterTest, SelectAllIsEnabledOnlyWhileTheFocusedFieldHoldsText) {
    Enter(kDec, "256");  // empties the other three fields
    Click(kChar);
    EXPECT_FALSE(SelectAllEnabled());
    // The shortcut of a disabled item does nothing, nor reaches the field as
    // a key (Ctrl+A types code 1, SOH).
    SelectAll();
    EXPECT_EQ(Showing(), (Shown{"", "256", "", "", kDecError}));
    EXPECT_TRUE(fw::testing::TakeMessageBoxes().empty());

    Click(kDec);
    EXPECT_TRUE(SelectAllEnabled());
    Click(kHex);
    EXPECT_FALSE(SelectAllEnabled());
}

TEST_F(ConverterTest, SelectAllSelectsTheFocusedFieldOnly) {
    Enter(kDec, "32");
    ASSERT_EQ(w->outputDec()->SelLength(), 0);
    SelectAll();
    ExpectAllSelected(w->outputDec());
    EXPECT_EQ(w->outputBin()->SelLength(), 0);
    EXPECT_EQ(w->outputChar()->SelText().ToUTF8(), "SPACE");
    EXPECT_EQ(TextOf(w->outputDec()), "32");

    Click(kChar);
    ASSERT_EQ(w->outputChar()->SelLength(), 0);
    SelectAll();
    ExpectAllSelected(w->outputChar());
    EXPECT_EQ(Showing(), (Shown{"SPACE", "32", "20", "0010 0000", ""}));

    // An HTML form is taken whole.
    globalVars::showHTML = true;
    Type(w, "A");
    Click(kDec);
    SelectAll();
    EXPECT_EQ(w->outputDec()->SelText().ToUTF8(), "&#65;");
}

TEST_F(ConverterTest, MenuShortcutsAreNotTypedIntoTheFields) {
    Enter(kDec, "65");
    Press(w, Qt::Key_Q, Qt::ControlModifier);
    const std::vector<std::string> done = fw::testing::TakeTrace();
    EXPECT_NE(std::find(done.begin(), done.end(), "Quit 0"), done.end());
    EXPECT_EQ(Showing(), (Shown{"A", "65", "41", "0100 0001", ""}));
}

// --- Focus ----------------------------------------------------------------

TEST_F(ConverterTest, TabOrderAndFocusCodes) {
    struct Stop {
        Field field;
        int code;
    };
    const Stop order[] = {{kChar, 1}, {kBin, 4}, {kDec, 2}, {kHex, 3}};
    Click(order[0].field);
    for (const Stop& stop : order) {
        EXPECT_TRUE(HasFocus((w->*stop.field)())) << (w->*stop.field)()->Name().ToUTF8();
        EXPECT_EQ(App()->focusLocation, stop.code);
        Press(w, Qt::Key_Tab);
    }
    EXPECT_EQ(Showing(), (Shown{"TAB", "9", "09", "0000 1001", ""})) << "Tab is a key of the character field";
    // The two buttons take their turns, then the character field again.
    EXPECT_EQ(QApplication::focusWidget(), QtAccess::Widget(w->PushButton1()));
    Press(w, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), QtAccess::Widget(w->PushButton2()));
    Press(w, Qt::Key_Tab);
    EXPECT_TRUE(HasFocus(w->outputChar()));
    EXPECT_EQ(App()->focusLocation, 1);
    // Back again with Shift+Tab from the decimal field.
    Click(kDec);
    Press(w, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(HasFocus(w->outputBin()));
    EXPECT_EQ(App()->focusLocation, 4);
}

TEST_F(ConverterTest, ClickingTheIconLeavesTheFocusWhereItWas) {
    Click(kHex);
    QTest::mouseClick(QtAccess::Widget(w->aboutButtonCanvas()), Qt::LeftButton, {}, QPoint(30, 30));
    EXPECT_TRUE(HasFocus(w->outputHex()));
    EXPECT_EQ(App()->focusLocation, 3);
}

// --- Closing --------------------------------------------------------------

TEST_F(ConverterTest, ClosingAndOpeningAgainGivesAFreshWindow) {
    const std::function<void(Window1*)> closers[] = {
        [](Window1* window) { QtAccess::Window(window)->close(); },  // the close button
        [](Window1* window) { window->Close(); },
    };
    for (const auto& close : closers) {
        Click(kChar);
        Type(w, "A");
        Enter(kDec, "300");
        ASSERT_EQ(App()->focusLocation, 2);
        close(w);
        fw::testing::ProcessEvents();
        EXPECT_EQ(fw::WindowCount(), 0);

        w = Window1::Instance();
        EXPECT_EQ(App()->focusLocation, 2);
        w = Converter();
        EXPECT_EQ(Showing(), (Shown{"", "", "", "", ""}));
        EXPECT_FALSE(w->alreadyChanged);
        EXPECT_NE(w->aboutButtonCanvas()->Backdrop(), nullptr);
        Click(kBin);
        EXPECT_EQ(App()->focusLocation, 4);
    }
}

// --- Desktop --------------------------------------------------------------

// Screen readers announce each field by its label and the icon by its command.
TEST_F(ConverterTest, AccessibleNames) {
    const std::pair<fw::RectControl*, const char*> named[] = {
        {w->outputChar(), "Char"},   {w->outputBin(), "Binary"}, {w->outputDec(), "Dec"},
        {w->outputHex(), "Hex"},     {w->aboutButtonCanvas(), "About Charvella\u2026"}};
    for (const auto& [control, name] : named) {
        QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(QtAccess::Widget(control));
        ASSERT_NE(shown, nullptr) << name;
        EXPECT_EQ(shown->text(QAccessible::Name).toStdString(), name);
    }
}

// The desktop names the program "Charvella" (message boxes are titled so)
// and shows its icon, cut out by its mask, on its windows.
TEST_F(ConverterTest, ProgramNameAndIcon) {
    EXPECT_EQ(QApplication::applicationDisplayName().toStdString(), "Charvella");
    const QImage icon = QtAccess::Window(w)->windowIcon().pixmap(72, 72).toImage();
    ASSERT_EQ(icon.size(), QSize(72, 72));
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << "corner outside the mask";
    EXPECT_EQ(qAlpha(icon.pixel(36, 36)), 255);
}

// --- Design ---------------------------------------------------------------

TEST_F(ConverterTest, WindowDesign) {
    EXPECT_EQ(w->Title().ToUTF8(), "Type a Code or Key");
    EXPECT_EQ(w->Width(), 285);
    EXPECT_EQ(w->Height(), 108);
    EXPECT_EQ(QtAccess::Window(w)->minimumSize(), QtAccess::Window(w)->maximumSize()) << "resizable";
    EXPECT_FALSE(QtAccess::Window(w)->windowFlags() & Qt::WindowMaximizeButtonHint);

    const std::pair<fw::Label*, const char*> labels[] = {
        {w->inputCharacter(), "Char"}, {w->asciiValueOut(), "Dec"}, {w->StaticText2(), "Hex"},
        {w->StaticText4(), "Binary"}};
    for (const auto& [label, text] : labels) EXPECT_EQ(TextOf(label), text);
    EXPECT_EQ(QtAccess::Widget(w->errorField())->palette().color(QPalette::WindowText), QColor(0xE0, 0x00, 0x12));
    EXPECT_EQ(w->PushButton1()->Caption().ToUTF8(), "Blocks");
    EXPECT_EQ(w->PushButton2()->Caption().ToUTF8(), "Table");
    EXPECT_TRUE(w->PushButton1()->Enabled());
    EXPECT_TRUE(w->PushButton2()->Enabled());
}
