// The block converter driven as a user drives it: typing and pasting into the
// input, the input-form popup, the focus codes, resizing, the warning and
// progress sheets, files dropped through the framework's drop path, and the
// faults this version mends (codes that depended on the converting event,
// unreadable dropped files, the wait cursor after a failed conversion).

#include "ProgramFixture.h"
#include "TestTimers.h"
#include "TestWindows.h"

#include "globalVars.h"
#include "BlockConvert.h"
#include "BlockEngine.h"
#include "fasterPlease.h"
#include "sizeWarnSheet.h"
#include "framework/Canvas.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>

#include <sys/stat.h>

using fw::internal::QtAccess;

namespace {

constexpr const char* kMemoryMessage = "convertBlock conversion error.  This might be due to insufficient memory.";

std::string Bytes(const fw::String& s) {
    return fw::ConvertEncoding(s, fw::Encodings::MacRoman()).Bytes();
}

}  // namespace

class BlockConvertTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        globalVars::showHTML = false;
        globalVars::dontWarn = false;
        w = BlockConvert::Instance();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(QtAccess::Window(w)->windowHandle()));
        fw::testing::TakeTrace();
    }

    QPlainTextEdit* Edit(fw::TextArea* area) { return QtAccess::Edit(area); }

    // A click into an area, through the window.
    void Focus(fw::TextArea* area) { ClickAt(w, area->Left() + 5, area->Top() + 5); }

    // The three output areas, as their characters' codes in MacRoman.
    std::vector<std::string> Outputs() {
        return {Bytes(w->EditField2()->Text()), Bytes(w->EditField3()->Text()), Bytes(w->EditField4()->Text())};
    }

    // Runs action once the warning sheet is up (it runs its own event loop).
    // Should the action leave the sheet up, "Cancel" ends the wait.
    void WhenSheetShows(std::function<void(sizeWarnSheet*)> action) {
        After(0, [action] {
            ASSERT_EQ(ProgramTest::Count<sizeWarnSheet>(), 1);
            action(sizeWarnSheet::Instance());
            After(2000, [] {
                if (ProgramTest::Count<sizeWarnSheet>() == 0) return;
                ADD_FAILURE() << "the sheet stayed up";
                sizeWarnSheet::Instance()->PushButton2()->Push();
            });
        });
    }

    // Drops the local files at paths (or text when paths is empty) on the
    // input, on the widget the window system picks there; true when taken.
    bool Drop(const QStringList& paths, const QString& text = {}) {
        QMimeData data;
        if (paths.isEmpty()) {
            data.setText(text);
        } else {
            QList<QUrl> urls;
            for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
            data.setUrls(urls);
        }
        const fw::TextArea* input = w->EditField1();
        return fw::internal::DropAt(w, QPoint(input->Left() + 10, input->Top() + 10), data);
    }

    // Drops and runs what the drop brings, which comes once the drop has ended.
    bool DropAndWait(const QStringList& paths) {
        const bool taken = Drop(paths);
        fw::testing::ProcessEvents();
        return taken;
    }

    QString WriteFile(const char* name, const std::string& bytes) {
        const QString path = dir.filePath(QString::fromUtf8(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes.data(), qint64(bytes.size()));
        return path;
    }

    BlockConvert* w = nullptr;
    QTemporaryDir dir;
};

// ---- Opening ----

TEST_F(BlockConvertTest, TheBlocksButtonOpensTheOneBlockConverter) {
    w->Close();
    fw::testing::ProcessEvents();
    Window1* converter = Window1::Instance();
    QTest::mouseClick(QtAccess::Widget(converter->PushButton1()), Qt::LeftButton);
    BlockConvert* opened = BlockConvert::Instance();
    EXPECT_EQ(fw::WindowAt(0), opened);
    EXPECT_EQ(opened->Title().ToUTF8(), "Block Convert");
    QTest::mouseClick(QtAccess::Widget(converter->PushButton1()), Qt::LeftButton);
    EXPECT_EQ(ProgramTest::Count<BlockConvert>(), 1);
    // A new window starts from its design.
    EXPECT_EQ(opened->charCountField()->Text().ToUTF8(), "0 characters");
    EXPECT_EQ(opened->PopupType()->ListIndex(), 0);
}

// ---- The top line ----

namespace {

// Pixels of a picture within r that are dark enough to be text.
int DarkPixels(const QImage& picture, const QRect& r) {
    return PixelsWhere(picture, r, [](QRgb c) { return qGray(c) < 110; });
}

// Where a one-line label draws a stretch of its text: from offset to
// offset + length characters, for left or right alignment in its box.
QRect TextSpan(const QLabel* label, const QWidget* content, int offset, int length) {
    const QFontMetrics fm(label->font());
    const QString text = label->text();
    const QRect box(label->mapTo(content, QPoint(0, 0)), label->size());
    const int left = label->alignment() & Qt::AlignRight ? box.right() + 1 - fm.horizontalAdvance(text) : box.left();
    const int from = left + fm.horizontalAdvance(text.left(offset));
    return {from, box.top(), fm.horizontalAdvance(text.mid(offset, length)), box.height()};
}

}  // namespace

// The count, right-aligned, lies under " here:", which was created after it:
// " here:" painted its whole box with the window colour, and 20000 read
// "00 characters". Both now stand in the window's picture.
TEST_F(BlockConvertTest, TheTopLineShowsTheWholeCountAndHere) {
    struct KeepClipboard {
        QString text = QApplication::clipboard()->text();
        ~KeepClipboard() { QApplication::clipboard()->setText(text); }
    } keep;
    globalVars::dontWarn = true;  // the six-digit block converts without asking
    QWidget* content = QtAccess::Content(w);
    const auto* count = static_cast<QLabel*>(QtAccess::Widget(w->charCountField()));
    const auto* here = static_cast<QLabel*>(QtAccess::Widget(w->StaticText5()));
    const QWidget* popup = QtAccess::Widget(w->PopupType());
    for (int n : {0, 875, 20000, 123456}) {
        SCOPED_TRACE(n);
        Focus(w->EditField1());
        // The whole input replaced: selected, then deleted or pasted over.
        QTest::keyClick(Edit(w->EditField1()), Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(Edit(w->EditField1()), Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
        if (n == 0) {
            QTest::keyClick(Edit(w->EditField1()), Qt::Key_Delete);
        } else {
            QApplication::clipboard()->setText(QString(n, QLatin1Char('W')));
            QTest::keyClick(Edit(w->EditField1()), Qt::Key_V, Qt::ControlModifier);
        }
        fw::testing::ProcessEvents();
        ASSERT_EQ(TextOf(w->charCountField()), std::to_string(n) + " characters");
        ASSERT_EQ(ProgramTest::Count<fasterPlease>(), 0);

        const QImage picture = content->grab().toImage();
        const QRect firstDigit = TextSpan(count, content, 0, 1);
        ASSERT_TRUE(QRect(QPoint(0, 0), picture.size()).contains(firstDigit));
        EXPECT_GE(DarkPixels(picture, firstDigit), 6) << "the count's first digit at x " << firstDigit.x();
        const QRect lastLetter = TextSpan(count, content, count->text().size() - 1, 1);
        EXPECT_GE(DarkPixels(picture, lastLetter), 6) << "the count's final s at x " << lastLetter.x();

        const QRect word = TextSpan(here, content, 1, 5);  // "here:" after its blank
        const int popupRight = popup->geometry().right() + 1;
        EXPECT_GE(word.left(), popupRight);
        EXPECT_LE(word.left(), popupRight + 12) << "\" here:\" stands just right of the popup";
        EXPECT_GE(DarkPixels(picture, word), 30) << "\" here:\" at x " << word.x();
    }
}

// The popup lists the input forms in this order, and the keys choose among them.
TEST_F(BlockConvertTest, ThePopupShowsTheFourInputFormsInOrder) {
    auto* combo = static_cast<QComboBox*>(QtAccess::Widget(w->PopupType()));
    EXPECT_EQ(combo->currentText(), "text");
    QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(10, combo->height() / 2));
    QAbstractItemView* list = combo->view();
    ASSERT_TRUE(QTest::qWaitFor([list] { return list->isVisible(); }));
    std::vector<std::pair<int, std::string>> shown;  // top of each row, its text
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        const QModelIndex index = list->model()->index(row, 0);
        const QRect where = list->visualRect(index);
        // Every row is in sight, without scrolling, and wide enough for its text.
        EXPECT_TRUE(where.top() >= 0 && where.bottom() < list->viewport()->height()) << row;
        EXPECT_LE(list->fontMetrics().horizontalAdvance(index.data().toString()), list->viewport()->width()) << row;
        shown.emplace_back(where.top(), index.data().toString().toStdString());
    }
    std::sort(shown.begin(), shown.end());
    std::vector<std::string> rows;
    for (const auto& [top, text] : shown) rows.push_back(text);
    EXPECT_EQ(rows, (std::vector<std::string>{"text", "decimal ASCII codes (spaced)", "hexadecimal", "binary"}));
    // Two rows down from "text" is "hexadecimal", which names the outputs by it.
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([list] { return !list->isVisible(); }));
    EXPECT_EQ(w->PopupType()->ListIndex(), 2);
    EXPECT_EQ(TextOf(w->OutputTitle3()), "Text Characters");
}

// ---- Converting ----

TEST_F(BlockConvertTest, EveryKeyConvertsTheWholeInput) {
    Focus(w->EditField1());
    QTest::keyClicks(Edit(w->EditField1()), "H");
    EXPECT_EQ(Outputs(), (std::vector<std::string>{"72", "48", "0100 1000"}));
    QTest::keyClicks(Edit(w->EditField1()), "i");
    EXPECT_EQ(Outputs(), (std::vector<std::string>{"72 105", "48 69", "0100 1000 0110 1001"}));
    EXPECT_EQ(w->charCountField()->Text().ToUTF8(), "2 characters");
    QTest::keyClick(Edit(w->EditField1()), Qt::Key_Backspace);
    EXPECT_EQ(Outputs(), (std::vector<std::string>{"72", "48", "0100 1000"}));
    // The outputs are read-only between conversions.
    for (fw::TextArea* area : {w->EditField2(), w->EditField3(), w->EditField4()}) EXPECT_TRUE(area->ReadOnly());
    // Enter is one carriage return.
    QTest::keyClick(Edit(w->EditField1()), Qt::Key_Return);
    QTest::keyClicks(Edit(w->EditField1()), "b");
    EXPECT_EQ(Bytes(w->EditField1()->Text()), "H\rb");
    EXPECT_EQ(Outputs()[0], "72 13 98");
}

// Past 875 characters every key shows the progress sheet for a moment. The
// sheet asks to be activated as it shows, and the window system may answer
// once it has closed again: the keyboard must come back to the input, or the
// next keys would reach no window.
TEST_F(BlockConvertTest, TypingOnPastTheProgressSheetKeepsTheKeyboardInTheInput) {
    Focus(w->EditField1());
    w->EditField1()->SetText(std::string(875, 'A'));
    QTest::keyClick(Edit(w->EditField1()), Qt::Key_End, Qt::ControlModifier);
    QMainWindow* window = QtAccess::Window(w);
    for (const char* key : {"b", "c", "d"}) {
        SCOPED_TRACE(key);
        QTest::keyClicks(Edit(w->EditField1()), key);
        fw::testing::ProcessEvents();
        EXPECT_EQ(QApplication::activeWindow(), window);
        EXPECT_EQ(QApplication::focusWidget(), Edit(w->EditField1()));
    }
    EXPECT_EQ(Bytes(w->EditField1()->Text()), std::string(875, 'A') + "bcd");
    EXPECT_EQ(TextOf(w->charCountField()), "878 characters");
}

TEST_F(BlockConvertTest, FocusCodesFollowTheAreas) {
    const std::pair<fw::TextArea*, int> areas[] = {
        {w->EditField1(), 5}, {w->EditField2(), 6}, {w->EditField3(), 7}, {w->EditField4(), 8}};
    for (const auto& [area, code] : areas) {
        Focus(area);
        EXPECT_EQ(App()->focusLocation, code) << area->Name().ToUTF8();
    }
    // Tab goes through them in their order, the read-only outputs too, and back.
    w->EditField1()->SetText("x");
    ASSERT_TRUE(w->EditField2()->ReadOnly());
    Focus(w->EditField1());
    QWindow* window = QtAccess::Window(w)->windowHandle();
    for (const int code : {6, 7, 8}) {
        QTest::keyClick(window, Qt::Key_Tab);
        EXPECT_EQ(App()->focusLocation, code);
    }
    QTest::keyClick(window, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(App()->focusLocation, 7);
}

TEST_F(BlockConvertTest, TheInputFormNamesTheOutputsAndConvertsAgainOrSaysWhyNot) {
    struct Row {
        int index;
        const char* input;
        std::vector<std::string> titles, outputs;
    };
    const Row rows[] = {
        {1, "72 105", {"Text Characters", "Hexadecimal", "Binary"}, {"Hi", "48 69", "0100 1000 0110 1001"}},
        {2, "4869", {"Decimal ASCII codes", "Text Characters", "Binary"}, {"72 105", "Hi", "0100 1000 0110 1001"}},
        {3, "0100100001101001", {"Decimal ASCII codes", "Hexadecimal", "Text Characters"}, {"72 105", "48 69", "Hi"}},
        {0, "Hi", {"Decimal ASCII codes", "Hexadecimal", "Binary"}, {"72 105", "48 69", "0100 1000 0110 1001"}},
        // A list that is none of its form shows the form's message in all three areas.
        {2, "7G2", {"Decimal ASCII codes", "Text Characters", "Binary"},
         std::vector<std::string>(3, BlockEngine::kHexMessage)},
    };
    for (const Row& r : rows) {
        w->EditField1()->SetText(r.input);
        w->PopupType()->SetListIndex(r.index);
        EXPECT_EQ((std::vector<std::string>{w->outputTitle2()->Text().ToUTF8(), w->OutputTitle3()->Text().ToUTF8(),
                                            w->OutputTitle4()->Text().ToUTF8()}),
                  r.titles);
        EXPECT_EQ(Outputs(), r.outputs) << r.index;
    }
}

// Typing converted é into its MacRoman code, a change of the input form gave
// its Unicode code point: every event now converts the same text.
TEST_F(BlockConvertTest, CodesDoNotDependOnTheConvertingEvent) {
    Focus(w->EditField1());
    QTest::sendKeyEvent(QTest::Click, Edit(w->EditField1()), Qt::Key_Eacute, QString::fromUtf8("\u00E9"), {});
    EXPECT_EQ(Outputs()[0], "142");
    w->PopupType()->SetListIndex(0);  // no change: the same row
    w->PopupType()->SetListIndex(2);
    w->PopupType()->SetListIndex(0);
    EXPECT_EQ(Outputs()[0], "142");
    Drop({}, QString());  // a drop without a file converts the current text
    EXPECT_EQ(Outputs()[0], "142");
    w->convertBlock(w->EditField1()->Text());  // as the HTML toggle calls it
    EXPECT_EQ(Outputs()[0], "142");
}

// ---- The text area keeps what was entered ----

TEST_F(BlockConvertTest, PastedTextKeepsEveryCharacterButItsLineBreaks) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        if (b != '\n' && b != '\r') all += char(b);
    const fw::String macRoman = fw::String::FromBytes(all, fw::Encodings::MacRoman());
    QApplication::clipboard()->setText(QString::fromUtf8(macRoman.ToUTF8()) + "\n|\r\n|\r|\u00A0\t");
    Focus(w->EditField1());
    QTest::keyClick(Edit(w->EditField1()), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Bytes(w->EditField1()->Text()), all + "\r|\r|\r|\xCA\t");
    EXPECT_EQ(w->charCountField()->Text().ToUTF8(), std::to_string(all.size() + 8) + " characters");
}

// ---- Resizing ----

TEST_F(BlockConvertTest, TheOutputAreasShareTheWindowHeight) {
    struct Row {
        int H, h, top3, top4;  // each title stands 20 above its area
    };
    const Row rows[] = {{461, 84, 254, 361}, {463, 85, 255, 363}, {1000, 264, 434, 721}, {2000, 597, 767, 1387}};
    for (const Row& r : rows) {
        w->SetSize(800, r.H == 461 ? 462 : 461);  // a change of size, then the one measured
        w->SetSize(700, r.H);
        fw::testing::ProcessEvents();
        ASSERT_EQ(w->Height(), r.H);
        for (fw::TextArea* area : {w->EditField2(), w->EditField3(), w->EditField4()})
            EXPECT_EQ(area->Height(), r.h) << r.H;
        EXPECT_EQ(w->EditField2()->Top(), 147) << r.H;
        EXPECT_EQ(w->EditField3()->Top(), r.top3) << r.H;
        EXPECT_EQ(w->OutputTitle3()->Top(), r.top3 - 20) << r.H;
        EXPECT_EQ(w->EditField4()->Top(), r.top4) << r.H;
        EXPECT_EQ(w->OutputTitle4()->Top(), r.top4 - 20) << r.H;
        // The widths follow the window; the top line and the input stay.
        EXPECT_EQ(w->EditField2()->Width(), 616 + 700 - 635);
        EXPECT_EQ(w->EditField1()->Height(), 83);
    }
}

// ---- The warning sheet ----

TEST_F(BlockConvertTest, NoWarningUpTo20000CharactersOrWhileWarningsAreOff) {
    for (const auto& [length, dontWarn] : {std::pair{20000, false}, std::pair{20001, true}}) {
        globalVars::dontWarn = dontWarn;
        w->EditField1()->SetText(std::string(size_t(length), 'A'));
        EXPECT_EQ(ProgramTest::Count<sizeWarnSheet>(), 0);
        EXPECT_EQ(w->charCountField()->Text().ToUTF8(), std::to_string(length) + " characters");
        EXPECT_EQ(CountFields(ReplaceAll(w->EditField2()->Text(), fw::Chr(13), ""), " "), length + 1);
    }
    // 666 lines of 30 codes and one of 20, each ending in a blank and a return.
    w->EditField1()->SetText(std::string(20000, 'A'));
    EXPECT_EQ(Len(w->EditField2()->Text()), 666 * (30 * 3 + 1) + 20 * 3 + 1);
}

TEST_F(BlockConvertTest, TheWarningSheetAsksWithItsOwnTexts) {
    std::vector<std::string> seen;
    WhenSheetShows([&](sizeWarnSheet* sheet) {
        seen = {sheet->Title().ToUTF8(), sheet->StaticText1()->Text().ToUTF8(), sheet->StaticText2()->Text().ToUTF8(),
                sheet->PushButton1()->Caption().ToUTF8(), sheet->PushButton2()->Caption().ToUTF8(),
                sheet->PushButton3()->Caption().ToUTF8()};
        EXPECT_EQ(sheet->Canvas1()->Backdrop(), App()->maskedIconPicture);
        EXPECT_EQ(fw::WindowAt(0), sheet);
        sheet->PushButton2()->Push();
    });
    w->EditField1()->SetText(std::string(20001, 'A'));
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "Large Text Block",
                        "Warning: Converting large text blocks (over 20000 characters in length) is not recommended.",
                        "\u2022 Large amounts of text may take a very long time to convert.\r"
                        "\u2022 Converting only the first 20000 characters is highly recommended.\r"
                        "\u2022 You can turn off this warning with the Edit menu.",
                        "Convert 20000", "Cancel", "Convert All Anyway"}));
    // An old system gets the memory advice instead.
    fw::testing::SetSystemVersion(0x0920);
    WhenSheetShows([&](sizeWarnSheet* sheet) {
        seen = {sheet->StaticText2()->Text().ToUTF8()};
        sheet->PushButton2()->Push();
    });
    w->EditField1()->SetText(std::string(20002, 'A'));
    EXPECT_NE(seen[0].find("\u2022 You may need to increase the memory allocated to Charvella using the Finder."),
              std::string::npos);
}

// Each answer, by button or key, and the sheet closed without one. Escape
// answered the last of the two buttons that carry the cancel flag. The flags
// keep the answer after the conversion.
TEST_F(BlockConvertTest, TheWarningSheetsAnswers) {
    const auto key = [](Qt::Key k) {
        return [k](sizeWarnSheet* sheet) {
            QMainWindow* window = QtAccess::Window(sheet);
            // The offscreen platform has no window manager to activate the sheet.
            QApplication::setActiveWindow(window);
            QTest::keyClick(window, k);
        };
    };
    struct Case {
        const char* name;
        std::function<void(sizeWarnSheet*)> answer;
        size_t kept;
        int converted;
        // convert1000 and convertAnyway as the sheet leaves them, and after the conversion.
        std::pair<bool, bool> answered, after;
    };
    const Case cases[] = {
        // The cut block is written back into the input, and that conversion
        // of 20000 characters, which asks nothing, leaves convertAnyway set.
        {"Return", key(Qt::Key_Return), 20000, 20000, {true, false}, {false, true}},
        {"Cancel", [](sizeWarnSheet* sheet) { sheet->PushButton2()->Push(); }, 25000, 0, {false, false},
         {false, false}},
        {"Escape", key(Qt::Key_Escape), 25000, 0, {false, false}, {false, false}},
        {"Convert All Anyway", [](sizeWarnSheet* sheet) { sheet->PushButton3()->Push(); }, 25000, 25000,
         {false, true}, {false, true}},
        // The sheet's window closed, as the window system may close it.
        {"closed", [](sizeWarnSheet* sheet) { QtAccess::Window(sheet)->close(); }, 25000, 0, {false, false},
         {false, false}},
    };
    std::string block;
    for (int i = 0; i < 25000; ++i) block += char('A' + i % 26);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w->EditField1()->SetText("Hi");
        std::pair<bool, bool> answered{true, true};
        WhenSheetShows([&](sizeWarnSheet* sheet) {
            c.answer(sheet);
            // The conversion reads the answer once the sheet's wait returns.
            answered = {globalVars::convert1000, globalVars::convertAnyway};
        });
        w->EditField1()->SetText(block);
        EXPECT_EQ(answered, c.answered);
        fw::testing::ProcessEvents();
        EXPECT_EQ(Bytes(w->EditField1()->Text()), block.substr(0, c.kept));
        EXPECT_EQ(w->charCountField()->Text().ToUTF8(), std::to_string(c.kept) + " characters");
        if (c.converted)
            EXPECT_EQ(CountFields(ReplaceAll(w->EditField2()->Text(), fw::Chr(13), ""), " "), c.converted + 1);
        else
            EXPECT_EQ(Outputs(), (std::vector<std::string>{"72 105", "48 69", "0100 1000 0110 1001"}));
        EXPECT_TRUE(w->EditField2()->ReadOnly());
        EXPECT_EQ(w->MouseCursor()->GetShape(), fw::MouseCursor::Shape::StandardPointer);
        EXPECT_EQ(ProgramTest::Count<sizeWarnSheet>() + ProgramTest::Count<fasterPlease>(), 0);
        EXPECT_EQ(std::pair(globalVars::convert1000, globalVars::convertAnyway), c.after);
    }
}

TEST_F(BlockConvertTest, ClosingTheWindowWhileItsWarningWaitsEndsTheConversionSafely) {
    // The user closes the window itself while the sheet asks: the conversion
    // that showed the sheet comes back to a closed window, which is deleted
    // only once that handler is done.
    WhenSheetShows([](sizeWarnSheet*) { BlockConvert::Instance()->Close(); });
    w->EditField1()->SetText(std::string(20001, 'A'));
    EXPECT_EQ(ProgramTest::Count<sizeWarnSheet>(), 0);
    EXPECT_EQ(ProgramTest::Count<BlockConvert>(), 0);
    fw::testing::ProcessEvents();
    EXPECT_EQ(fw::WindowCount(), 1) << "only the converter is left";
    EXPECT_TRUE(fw::testing::TakeMessageBoxes().empty());
}

// ---- The progress sheet ----

TEST_F(BlockConvertTest, OnlyBlocksLongerThan875CharactersShowProgress) {
    for (int n : {875, 876}) {
        fw::testing::TakeTrace();
        w->EditField1()->SetText(std::string(size_t(n), 'p'));
        const std::vector<std::string> trace = fw::testing::TakeTrace();
        const bool shown = std::find(trace.begin(), trace.end(), "Show Processing") != trace.end();
        EXPECT_EQ(shown, n == 876) << n;
        fw::testing::ProcessEvents();
        EXPECT_EQ(ProgramTest::Count<fasterPlease>(), 0) << n;
        EXPECT_EQ(w->MouseCursor()->GetShape(), fw::MouseCursor::Shape::StandardPointer);
    }
}

// The wait cursor stayed over the idle window after a failed conversion.
TEST_F(BlockConvertTest, AFailedConversionReportsOnceAndLeavesNoWaitCursor) {
    w->EditField1()->SetText("x");
    fw::testing::FailNextYield();
    w->EditField1()->SetText(std::string(3000, 'm'));
    EXPECT_EQ(fw::testing::TakeMessageBoxes(), (std::vector<std::string>{kMemoryMessage}));
    fw::testing::ProcessEvents();
    EXPECT_EQ(ProgramTest::Count<fasterPlease>(), 0);
    EXPECT_EQ(w->MouseCursor()->GetShape(), fw::MouseCursor::Shape::StandardPointer);
    // The outputs stay editable and keep what they had.
    EXPECT_FALSE(w->EditField2()->ReadOnly());
    EXPECT_EQ(Outputs()[0], "120");
}

// ---- Dropped files ----

TEST_F(BlockConvertTest, ADroppedTextFileReplacesTheInputByteForByte) {
    struct Case {
        QStringList files;
        bool taken;
        std::string input, firstOutput;
    };
    // Each drop on the same fresh window: every one reaches the input.
    const std::string bytes = std::string("A\0B\xFF\xCA\t", 6) + "\r\n" + "C\nD\rE";
    const Case cases[] = {
        {{WriteFile("data.txt", bytes)}, true, std::string("A\0B\xFF\xCA\t", 6) + "\rC\rD\rE",
         "65 0 66 255 202 9 13 67 13 68 13 69"},
        {{WriteFile("note.text", "\xC3\xA9\n")}, true, "\x8E\r", "142 13"},  // UTF-8 is read as UTF-8
        {{WriteFile("one.txt", "1"), WriteFile("two.txt", "2")}, true, "1", "49"},  // only the first is read
        {{WriteFile("picture.png", "PNG")}, false, "1", "49"},                        // other types are not taken
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DropAndWait(c.files), c.taken);
        EXPECT_EQ(Bytes(w->EditField1()->Text()), c.input);
        EXPECT_EQ(Outputs()[0], c.firstOutput);
    }
    EXPECT_TRUE(fw::testing::TakeMessageBoxes().empty());
}

// An unreadable file left the input unchanged without a word.
TEST_F(BlockConvertTest, AFileThatCannotBeReadIsReportedAndChangesNothing) {
    // An endless file: memory ran out while it was read.
    ASSERT_TRUE(QFile::link("/dev/zero", dir.filePath("zero.txt")));
    struct Case {
        QString path;
        const char* message;
    };
    const Case cases[] = {
        {dir.filePath("zero.txt"), "The file \u201Czero.txt\u201D could not be read: it is a device."},
        {dir.filePath("gone.txt"), "The file \u201Cgone.txt\u201D could not be read: it does not exist."}};
    w->EditField1()->SetText("kept");
    for (const Case& c : cases) {
        DropAndWait({c.path});
        EXPECT_EQ(fw::testing::TakeMessageBoxes(), (std::vector<std::string>{c.message}));
        EXPECT_EQ(Bytes(w->EditField1()->Text()), "kept");
        EXPECT_EQ(Outputs()[0], "107 101 112 116");
    }
}


// ---- Long conversions ----

// A conversion kept the user from closing or quitting until it ended; keys
// typed meanwhile must not be lost either.
TEST_F(BlockConvertTest, ALongConversionGivesWayToCloseAndQuitAndLosesNoKey) {
    // Keys for the progress sheet, which has the keyboard while it is up.
    const auto onSheet = [](Qt::Key key) {
        return [key] {
            QMainWindow* sheet = QtAccess::Window(fasterPlease::Instance());
            QApplication::setActiveWindow(sheet);
            QTest::keyClick(sheet->windowHandle(), key, Qt::ControlModifier);
        };
    };
    struct Case {
        const char* name;
        std::function<void()> during;
        bool windowStays;
        std::string input, count, firstOutput;
        std::optional<int> quit;
    };
    const std::string block(3000, 'm');
    const Case cases[] = {
        // Close Window closes the front window, the progress sheet: the
        // conversion stops, and the window keeps its input and its outputs.
        {"Close Window", onSheet(Qt::Key_W), true, block, "3000 characters", "120", std::nullopt},
        // A key typed into the input reaches it once the conversion is done,
        // and that change converts in turn.
        {"typing", [this] { QTest::keyClick(Edit(w->EditField1()), Qt::Key_Z); }, true, block + "z",
         "3001 characters", "", std::nullopt},
        {"close button", [] { QtAccess::Window(BlockConvert::Instance())->close(); }, false, "", "", "",
         std::nullopt},
        {"Quit", onSheet(Qt::Key_Q), true, block, "3000 characters", "120", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w = BlockConvert::Instance();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(QtAccess::Window(w)->windowHandle()));
        Focus(w->EditField1());
        w->EditField1()->SetText("x");
        fw::testing::DuringNextYield(c.during);
        w->EditField1()->SetText(block);
        EXPECT_EQ(fw::testing::QuitCode(), c.quit);
        EXPECT_EQ(!w->IsClosed(), c.windowStays);
        if (c.windowStays) {
            ASSERT_TRUE(Eventually([&] { return w->charCountField()->Text().ToUTF8() == c.count; }));
            EXPECT_EQ(Bytes(w->EditField1()->Text()), c.input);
            // Typing converts the longer input: its outputs end in the typed key.
            const std::string first = Outputs()[0];
            EXPECT_EQ(c.firstOutput.empty() ? first.substr(first.size() - 5) : first,
                      c.firstOutput.empty() ? "122 \r" : c.firstOutput);
            EXPECT_TRUE(w->EditField2()->ReadOnly());
            EXPECT_EQ(w->MouseCursor()->GetShape(), fw::MouseCursor::Shape::StandardPointer);
        }
        fw::testing::ProcessEvents();
        EXPECT_EQ(ProgramTest::Count<fasterPlease>(), 0);
        EXPECT_TRUE(fw::testing::TakeMessageBoxes().empty());
    }
}

// A block whose outputs would not fit into memory crashed the program while
// they were shown; it is refused before any is built.
TEST_F(BlockConvertTest, ABlockTooLargeForMemoryIsRefusedAndKeepsTheInput) {
    globalVars::dontWarn = true;
    w->EditField1()->SetText("x");
    fw::testing::SetAvailableMemory(1u << 20);
    w->EditField1()->SetText(std::string(3000, 'm'));
    EXPECT_TRUE(fw::testing::TakeMessageBoxes().empty()) << "66 KB of outputs fit";
    w->EditField1()->SetText("x");
    w->EditField1()->SetText(std::string(100000, 'm'));
    EXPECT_EQ(fw::testing::TakeMessageBoxes(), (std::vector<std::string>{kMemoryMessage}));
    EXPECT_EQ(Bytes(w->EditField1()->Text()), std::string(100000, 'm'));
    EXPECT_EQ(w->charCountField()->Text().ToUTF8(), "100000 characters");
    EXPECT_EQ(Outputs()[0], "120");
    fw::testing::ProcessEvents();
    EXPECT_EQ(ProgramTest::Count<fasterPlease>(), 0);
    EXPECT_EQ(w->MouseCursor()->GetShape(), fw::MouseCursor::Shape::StandardPointer);
}

// "Convert 20000" wrote the first part back in its system-encoding form, with
// "?" for what MacRoman lacks, and the rest was gone for good.
TEST_F(BlockConvertTest, KeepingTheFirstPartKeepsTheUsersCharactersAndUndoBringsBackTheRest) {
    const std::string original = "\xE4\xB8\xAD\xE6\x96\x87\xF0\x9F\x98\x80 caf\xC3\xA9" + std::string(20000, 'a');
    Focus(w->EditField1());
    QApplication::clipboard()->setText(QString::fromStdString(original));
    WhenSheetShows([](sizeWarnSheet* sheet) { sheet->PushButton1()->Push(); });
    QTest::keyClick(Edit(w->EditField1()), Qt::Key_V, Qt::ControlModifier);
    fw::testing::ProcessEvents();
    const fw::String kept = fw::Left(fw::String(original), 20000);
    EXPECT_EQ(w->EditField1()->Text().ToUTF8(), kept.ToUTF8());
    EXPECT_EQ(w->charCountField()->Text().ToUTF8(), "20000 characters");
    EXPECT_EQ(Outputs()[0].substr(0, 16), "63 63 63 32 99 9") << "the codes are still MacRoman's";

    // Undo brings the whole block back, which asks again.
    WhenSheetShows([](sizeWarnSheet* sheet) { sheet->PushButton2()->Push(); });
    QTest::keyClick(Edit(w->EditField1()), Qt::Key_Z, Qt::ControlModifier);
    fw::testing::ProcessEvents();
    EXPECT_EQ(w->EditField1()->Text().ToUTF8(), original);
}

// A dragged text of more than 20000 characters asked twice and converted
// twice, and the dragging program waited for the answer.
TEST_F(BlockConvertTest, ADroppedTextAsksOnceAfterTheDropHasEnded) {
    int asked = 0;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (ProgramTest::Count<sizeWarnSheet>() == 0) return;
        ++asked;
        sizeWarnSheet::Instance()->PushButton3()->Push();
    });
    answer.start(5);
    ASSERT_TRUE(Drop({}, QString(20001, QLatin1Char('q'))));
    EXPECT_EQ(asked, 0) << "nothing is asked before the drop has ended";
    ASSERT_TRUE(Eventually([&] { return Outputs()[0].substr(0, 8) == "113 113 "; }));
    EXPECT_EQ(w->charCountField()->Text().ToUTF8(), "20001 characters");
    ASSERT_TRUE(PeriodPassed(50));
    EXPECT_EQ(asked, 1);
}

// A dropped file was read as MacRoman bytes (UTF-8 "café" showed "caf√©"), and
// a named pipe held the program in open() for ever.
TEST_F(BlockConvertTest, ADroppedFileIsReadAsUTF8AndANamedPipeIsRefused) {
    const auto dropFile = [this](const QString& path) {
        w->EditField1_DropObject(w->EditField1(), fw::DragItem(std::make_shared<fw::FolderItem>(
                                                      fw::String(path.toStdString()))), 0);
    };
    dropFile(WriteFile("notes", "caf\u00E9"));
    EXPECT_EQ(w->EditField1()->Text().ToUTF8(), "caf\u00E9");
    EXPECT_EQ(Outputs()[0], "99 97 102 142");  // as the pasted text gives

    const QString pipe = dir.filePath("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    dropFile(pipe);
    EXPECT_EQ(fw::testing::TakeMessageBoxes(),
              (std::vector<std::string>{"The file \u201Cpipe\u201D could not be read: it is a named pipe."}));
    EXPECT_EQ(w->EditField1()->Text().ToUTF8(), "caf\u00E9");
}

