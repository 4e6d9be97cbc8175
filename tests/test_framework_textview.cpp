// The read-only view of long texts: its rows, selection by mouse and keys,
// scrolling, painting and what screen readers get.

#include "framework/String.h"
#include "framework/TextView.h"

#include "TestWindows.h"
#include "TestTimers.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using fw::internal::TextView;
using namespace fw;

namespace {

constexpr int kWidth = 320, kHeight = 200;
constexpr QRgb kHighlight = 0x0000FF;

String MacRoman(const std::string& bytes) { return String::FromBytes(bytes, Encodings::MacRoman()); }

std::string Lines(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += (i ? "\rline " : "line ") + std::to_string(i);
    return s;
}

// A view in a shown, active window, with room below it for the mouse to
// leave it and a field before it; black text on white, selections pure blue.
class FrameworkTextView : public ::testing::Test {
protected:
    void SetUp() override {
        window_.resize(kWidth, kHeight + 60);
        view_ = new TextView(&window_);
        view_->setGeometry(0, 0, kWidth, kHeight);
        // As text areas have it: the viewport keeps its width whatever the text.
        view_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        QPalette palette = view_->palette();
        palette.setColor(QPalette::Text, Qt::black);
        palette.setColor(QPalette::Base, Qt::white);
        palette.setColor(QPalette::Highlight, QColor(kHighlight));
        view_->setPalette(palette);
        other_ = new QLineEdit(&window_);
        other_->setGeometry(0, kHeight + 10, 100, 22);
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    }
    void TearDown() override { QApplication::clipboard()->clear(); }

    QWindow* Handle() { return window_.windowHandle(); }
    QScrollBar* Bar() const { return view_->verticalScrollBar(); }
    // A point of the window at x in the viewport and the middle of a row
    // shown at position row (rows one line high).
    QPoint RowPoint(int x, int row) const {
        const int y = 4 + view_->fontMetrics().height() * row + view_->fontMetrics().height() / 2;
        return view_->viewport()->mapTo(&window_, QPoint(x, y));
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(Handle(), Qt::Key(key), modifiers); }
    void Click(QPoint p, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(Handle(), Qt::LeftButton, modifiers, p);
    }
    QImage Picture() const { return view_->viewport()->grab().toImage(); }
    int TextPixels(const QImage& picture, const QRect& r) const {
        return PixelsWhere(picture, r, [](QRgb c) { return qGray(c) < 128; });
    }

    QWidget window_;
    TextView* view_ = nullptr;
    QLineEdit* other_ = nullptr;
};

TEST_F(FrameworkTextView, RowsEndAtEveryLineBreakAndLongLinesAreCut) {
    const std::string x4096(4096, 'x');
    const struct {
        String text;
        std::vector<QString> rows;
    } cases[] = {
        {"", {""}},
        {"a\rb", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"a\r\rb\r", {"a", "", "b", ""}},
        {"\n\r\n\r", {"", "", "", ""}},
        {MacRoman("caf\x8E\r\x8E"), {"café", "é"}},
        {"é\r\n€", {"é", "€"}},
        {x4096 + "\r" + x4096 + "y", {QString(x4096.c_str()), QString(x4096.c_str()), "y"}},
        // A cut never falls inside a surrogate pair.
        {std::string(4095, 'x') + "😀", {QString(4095, 'x'), "😀"}},
    };
    for (const auto& c : cases) {
        view_->SetText(c.text);
        std::vector<QString> rows;
        for (int i = 0; i < view_->RowCount(); ++i) rows.push_back(view_->RowText(i));
        EXPECT_EQ(rows, c.rows) << c.text.ToUTF8();
        EXPECT_EQ(view_->Text(), c.text);
    }
    view_->SetText(std::string(10000, 'z'));
    ASSERT_EQ(view_->RowCount(), 3);
    EXPECT_EQ(view_->RowText(2), QString(10000 - 2 * 4096, 'z'));
}

TEST_F(FrameworkTextView, MouseSelectsAndKeysCopyTheDisplayForm) {
    view_->SetText(MacRoman("caf\x8E\rsecond line\r\nthird"));
    // A drag from the first row's start to past the second row's end.
    QTest::mousePress(Handle(), Qt::LeftButton, {}, RowPoint(0, 0));
    EXPECT_TRUE(view_->hasFocus()) << "a click focuses the view";
    QTest::mouseMove(Handle(), RowPoint(kWidth - 30, 1));
    QTest::mouseRelease(Handle(), Qt::LeftButton, {}, RowPoint(kWidth - 30, 1));
    EXPECT_EQ(view_->SelectedText(), "café\nsecond line");

    Click(RowPoint(kWidth - 30, 2), Qt::ShiftModifier);
    EXPECT_EQ(view_->SelectedText(), "café\nsecond line\nthird");
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "café\nsecond line\nthird");

    QTest::mouseDClick(Handle(), Qt::LeftButton, {}, RowPoint(8, 1));
    EXPECT_EQ(view_->SelectedText(), "second");

    // A click leaves no selection, and copying nothing keeps the clipboard.
    Click(RowPoint(8, 1));
    EXPECT_FALSE(view_->HasSelection());
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "café\nsecond line\nthird");

    Key(Qt::Key_A, Qt::ControlModifier);
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "café\nsecond line\nthird");

    // Setting a text clears the selection; Tab reaches the view.
    view_->SetText("new");
    EXPECT_FALSE(view_->HasSelection());
    other_->setFocus();
    Key(Qt::Key_Tab);
    EXPECT_TRUE(view_->hasFocus());
}

TEST_F(FrameworkTextView, DraggingBelowTheViewScrollsAndExtendsTheSelection) {
    view_->SetText(Lines(200));
    QTest::mousePress(Handle(), Qt::LeftButton, {}, RowPoint(0, 0));
    QTest::mouseMove(Handle(), view_->mapTo(&window_, QPoint(50, kHeight + 30)));
    EXPECT_TRUE(Eventually([&] { return Bar()->value() >= 3; }));
    QTest::mouseRelease(Handle(), Qt::LeftButton, {}, view_->mapTo(&window_, QPoint(50, kHeight + 30)));
    const int shown = Bar()->value();
    EXPECT_TRUE(view_->SelectedText().startsWith("line 0\nline 1\n"));
    EXPECT_GE(view_->SelectedText().count('\n'), shown + 5) << "the selection reaches the bottom row shown";
}

TEST_F(FrameworkTextView, KeysAndTheWheelScrollByRowsAndPages) {
    view_->SetText(Lines(1000));
    view_->setFocus();
    const int page = Bar()->pageStep();
    EXPECT_GT(page, 5);
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        int value;
    } steps[] = {
        {Qt::Key_Down, {}, 1},
        {Qt::Key_PageDown, {}, 1 + page},
        {Qt::Key_Up, {}, page},
        {Qt::Key_PageUp, {}, 0},
        {Qt::Key_End, Qt::ControlModifier, Bar()->maximum()},
        {Qt::Key_Home, Qt::ControlModifier, 0},
        {Qt::Key_End, {}, Bar()->maximum()},
        {Qt::Key_Home, {}, 0},
    };
    for (const auto& step : steps) {
        Key(step.key, step.modifiers);
        EXPECT_EQ(Bar()->value(), step.value) << "key " << step.key;
    }
    // The last page holds the rows after the maximum, the last one included.
    EXPECT_EQ(Bar()->maximum(), 1000 - (view_->viewport()->height() - 8) / view_->fontMetrics().height());

    QWheelEvent notch(QPointF(50, 50), view_->viewport()->mapToGlobal(QPointF(50, 50)), {}, QPoint(0, -120),
                      Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view_->viewport(), &notch);
    EXPECT_EQ(Bar()->value(), 3);
}

TEST_F(FrameworkTextView, PaintsTheRowsShownAndTheSelection) {
    view_->SetText("WWWW\r" + std::string(300, '\r') + "MMMM");
    view_->setFocus();
    const int row = view_->fontMetrics().height();
    const QRect area = view_->viewport()->rect();
    QImage picture = Picture();
    EXPECT_GE(TextPixels(picture, area.adjusted(0, 0, 0, 4 + row - area.height())), 20) << "the first row";
    EXPECT_EQ(TextPixels(picture, area.adjusted(0, 4 + row, 0, 0)), 0);

    Key(Qt::Key_End, Qt::ControlModifier);
    picture = Picture();
    const QRect bottom = area.adjusted(0, area.height() - 4 - 2 * row, 0, 0);
    EXPECT_GE(TextPixels(picture, bottom), 20) << "the last row, at the bottom";
    EXPECT_EQ(TextPixels(picture, area.adjusted(0, 0, 0, bottom.top() - area.height())), 0);

    Key(Qt::Key_A, Qt::ControlModifier);
    picture = Picture();
    EXPECT_GE(PixelsWhere(picture, bottom, [](QRgb c) { return c == kHighlight; }), 20) << "the selection";
}

TEST_F(FrameworkTextView, ScreenReadersReadTheTextByRange) {
    view_->setAccessibleName("Decimal codes");
    view_->SetText(MacRoman("caf\x8E\rline two\r\nend"));
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(view_);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::EditableText);
    EXPECT_TRUE(a->state().readOnly);
    EXPECT_EQ(a->text(QAccessible::Name), "Decimal codes");
    QAccessibleTextInterface* text = a->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->characterCount(), 18);
    EXPECT_EQ(text->text(0, 6), "café\nl");
    int start = 0, end = 0;
    EXPECT_EQ(text->textAtOffset(3, QAccessible::CharBoundary, &start, &end), "é");
    EXPECT_EQ(std::pair(start, end), std::pair(3, 4));
    EXPECT_EQ(text->textAfterOffset(3, QAccessible::CharBoundary, &start, &end), "\n");
    EXPECT_EQ(text->textBeforeOffset(3, QAccessible::CharBoundary, &start, &end), "f");
    EXPECT_EQ(text->textAtOffset(7, QAccessible::LineBoundary, &start, &end), "line two\n\n");
    EXPECT_EQ(std::pair(start, end), std::pair(5, 15));
    EXPECT_EQ(text->textAfterOffset(7, QAccessible::LineBoundary, &start, &end), "end");
    EXPECT_EQ(text->selectionCount(), 0);

    view_->SelectAll();
    ASSERT_EQ(text->selectionCount(), 1);
    text->selection(0, &start, &end);
    EXPECT_EQ(std::pair(start, end), std::pair(0, 18));
    text->setSelection(0, 5, 9);
    EXPECT_EQ(view_->SelectedText(), "line");
}

TEST_F(FrameworkTextView, SurvivesEmptyHugeAndNarrowTexts) {
    for (const String& text : {String(""), String("\r\r\r")}) {
        view_->SetText(text);
        view_->SelectAll();
        EXPECT_EQ(view_->HasSelection(), !text.IsEmpty());
        view_->setFocus();
        Key(Qt::Key_End, Qt::ControlModifier);
        EXPECT_EQ(Bar()->value(), 0);
        EXPECT_EQ(TextPixels(Picture(), view_->viewport()->rect()), 0);
    }

    const size_t n = 50u << 20;
    view_->SetText(MacRoman(std::string(n, 'q')));
    EXPECT_EQ(view_->RowCount(), int((n + 4095) / 4096));
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_GE(TextPixels(Picture(), view_->viewport()->rect()), 20);
    // One character a line: the last row alone fills the view.
    view_->resize(1, kHeight);
    EXPECT_EQ(Bar()->maximum(), view_->RowCount() - 1);
    EXPECT_FALSE(view_->grab().isNull());
    view_->resize(kWidth, kHeight);
    view_->SelectAll();
    view_->Copy();
    EXPECT_EQ(QApplication::clipboard()->text().size(), qsizetype(n));
}

}  // namespace
