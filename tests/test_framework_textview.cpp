// The read-only view of long texts: its rows, selection by mouse and keys,
// scrolling, painting and what screen readers get.

#include "framework/String.h"
#include "framework/TextView.h"

#include "TestWindows.h"
#include "TestTimers.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
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

// Calls a function with every event that reaches the objects it filters.
class Spy : public QObject {
public:
    explicit Spy(std::function<void(QObject*, QEvent*)> seen) : seen_(std::move(seen)) {}
    bool eventFilter(QObject* o, QEvent* e) override { return seen_(o, e), false; }

private:
    std::function<void(QObject*, QEvent*)> seen_;
};

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
    void TearDown() override {
        QApplication::clipboard()->clear();
        if (QApplication::clipboard()->supportsSelection()) QApplication::clipboard()->clear(QClipboard::Selection);
    }

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
    void Wheel(int delta = -120) {
        QWheelEvent notch(QPointF(50, 50), view_->viewport()->mapToGlobal(QPointF(50, 50)), {}, QPoint(0, delta),
                          Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view_->viewport(), &notch);
    }
    QImage Picture() const { return view_->viewport()->grab().toImage(); }
    QAccessibleTextInterface* Accessible() const {
        return QAccessible::queryAccessibleInterface(view_)->textInterface();
    }
    // Whether the character at an offset is on screen.
    bool Shown(int64_t offset) const { return !Accessible()->characterRect(int(offset)).isNull(); }
    // The offset at the start of the line shown at position line (lines one font height).
    int64_t LineStartShown(int line) const {
        const QPoint p(0, 4 + view_->fontMetrics().height() * line + 1);
        return Accessible()->offsetAtPoint(view_->viewport()->mapToGlobal(p));
    }
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

    // As X11 has it, the mouse's selection is the primary selection.
    if (QApplication::clipboard()->supportsSelection()) {
        EXPECT_EQ(QApplication::clipboard()->text(QClipboard::Selection), "café\nsecond line");
    }

    Click(RowPoint(kWidth - 30, 2), Qt::ShiftModifier);
    EXPECT_EQ(view_->SelectedText(), "café\nsecond line\nthird");
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "café\nsecond line\nthird");

    // A double click selects a word, a third click the line with its line
    // break, as a QPlainTextEdit has it.
    QTest::mouseDClick(Handle(), Qt::LeftButton, {}, RowPoint(8, 1));
    EXPECT_EQ(view_->SelectedText(), "second");
    Click(RowPoint(9, 1));
    EXPECT_EQ(view_->SelectedText(), "second line\n");

    // A click leaves no selection, and copying nothing keeps the clipboard.
    Click(RowPoint(8, 0));
    EXPECT_FALSE(view_->HasSelection());
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "café\nsecond line\nthird");

    QApplication::clipboard()->clear();
    Key(Qt::Key_A, Qt::ControlModifier);
    Key(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "café\nsecond line\nthird");

    // A line cut into rows is one line.
    view_->SetText(std::string(5000, 'x') + "\ry");
    QTest::mouseDClick(Handle(), Qt::LeftButton, {}, RowPoint(8, 0));
    Click(RowPoint(9, 0));
    EXPECT_EQ(view_->SelectedText(), QString(5000, 'x') + "\n");

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

TEST_F(FrameworkTextView, KeysAndTheWheelScrollByLinesAndPages) {
    view_->SetText(Lines(1000));
    view_->setFocus();
    for (int height : {kHeight / 2, kHeight}) {
        view_->resize(kWidth, height);
        EXPECT_EQ(Bar()->pageStep(), (view_->viewport()->height() - 8) / view_->fontMetrics().height());
        // The last page holds the lines after the maximum, the last one included.
        EXPECT_EQ(Bar()->maximum(), 1000 - Bar()->pageStep());
    }
    const int page = Bar()->pageStep();
    // Keys the view leaves go on to the window.
    std::vector<int> passed;
    Spy parent([&passed](QObject*, QEvent* e) {
        if (e->type() == QEvent::KeyPress) passed.push_back(static_cast<QKeyEvent*>(e)->key());
    });
    window_.installEventFilter(&parent);
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        int value;
        bool passed = false;
    } steps[] = {
        {Qt::Key_Down, {}, 1},
        {Qt::Key_PageDown, {}, 1 + page},
        {Qt::Key_Up, {}, page},
        {Qt::Key_PageUp, {}, 0},
        {Qt::Key_Space, {}, page},
        {Qt::Key_Space, Qt::ShiftModifier, 0},
        {Qt::Key_End, {}, Bar()->maximum()},
        {Qt::Key_Home, {}, 0},
        // As in a read-only QPlainTextEdit.
        {Qt::Key_End, Qt::ControlModifier, 0, true},
        {Qt::Key_F5, {}, 0, true},
    };
    for (const auto& step : steps) {
        passed.clear();
        Key(step.key, step.modifiers);
        EXPECT_EQ(Bar()->value(), step.value) << "key " << step.key;
        EXPECT_EQ(std::count(passed.begin(), passed.end(), step.key), int(step.passed)) << "key " << step.key;
    }
    Wheel();
    EXPECT_EQ(Bar()->value(), 3);
}

TEST_F(FrameworkTextView, LongLinesScrollToTheirEndWithoutSkippingText) {
    std::string words;
    for (int i = 0; words.size() < 3600; ++i) words += "word" + std::to_string(i) + ' ';
    // One line of many screen lines, and one cut into rows of many screen lines.
    const std::string texts[] = {words, words + words + words + words + words + "\rend"};
    view_->setFocus();
    const int page = Bar()->pageStep();
    // Each step shows next the line below the last one it passes, or going
    // back (over lines only estimated so far) the line above.
    const std::tuple<const char*, std::function<void()>, int, bool> ways[] = {
        {"Down", [this] { Key(Qt::Key_Down); }, 1, true},
        {"the wheel", [this] { Wheel(); }, 3, true},
        {"Page Down", [this] { Key(Qt::Key_PageDown); }, page, true},
        {"the wheel back", [this] { Wheel(120); }, 3, false},
        {"Page Up", [this] { Key(Qt::Key_PageUp); }, page, false},
    };
    for (const std::string& text : texts) {
        for (const auto& [way, step, lines, down] : ways) {
            view_->SetText(text);
            if (!down) Key(Qt::Key_End);
            ASSERT_GT(Bar()->value() + Bar()->maximum(), 0);
            auto end = [&, down = down] { return Bar()->value() == (down ? Bar()->maximum() : 0); };
            for (int i = 0; i < 2000 && !end(); ++i) {
                const int64_t top = view_->FirstVisibleOffset(), below = LineStartShown(lines);
                step();
                EXPECT_TRUE(end() || (down ? view_->FirstVisibleOffset() == below : LineStartShown(lines) == top))
                    << way << ", step " << i;
            }
            EXPECT_TRUE(Shown(down ? int64_t(text.size()) - 1 : 0)) << way << ", " << text.size() << " characters";
        }
    }
}

TEST_F(FrameworkTextView, AnEditorCanTakeOverTheSelectionAndTheTop) {
    std::string words;
    for (int i = 0; words.size() < 20000; ++i) words += "word" + std::to_string(i) + ' ';
    const std::string lines = Lines(1000);
    const int64_t line500 = int64_t(lines.find("line 500")) + 3;
    for (const auto& [text, offset] : {std::pair(lines, line500), std::pair(words, int64_t(9000))}) {
        view_->SetText(text);
        view_->ScrollToOffset(offset);
        const int64_t top = view_->FirstVisibleOffset();
        EXPECT_TRUE(top <= offset && Shown(offset) && LineStartShown(0) == top) << offset;
        // The first character shown stays in view through changes of width.
        for (int width : {kWidth / 2, kWidth}) {
            view_->resize(width, kHeight);
            EXPECT_TRUE(view_->FirstVisibleOffset() <= top && Shown(top)) << offset << " at " << width;
        }
    }
    view_->Select(7, 2);
    EXPECT_EQ(view_->SelectedText(), "rd0 w");
    view_->Select(1 << 30, -5);
    EXPECT_EQ(view_->SelectionAnchor(), int64_t(words.size()));
    EXPECT_EQ(view_->SelectionCursor(), 0);
}

TEST_F(FrameworkTextView, APressOnTheSelectionDragsItOutOrPlacesTheClick) {
    view_->SetText(MacRoman("caf\x8E\rsecond line"));
    view_->SelectAll();
    Click(RowPoint(8, 1));
    EXPECT_FALSE(view_->HasSelection());

    // Offscreen a drag is over at once: what it carried is seen as Qt deletes it.
    QString dragged;
    Spy drags([&dragged](QObject* o, QEvent* e) {
        auto* drag = qobject_cast<QDrag*>(o);
        if (drag && e->type() == QEvent::DeferredDelete && drag->supportedActions() == Qt::CopyAction)
            dragged = drag->mimeData()->text();
    });
    qApp->installEventFilter(&drags);
    view_->SelectAll();
    const QPoint away = RowPoint(8 + 2 * QApplication::startDragDistance(), 0);
    QTest::mousePress(Handle(), Qt::LeftButton, {}, RowPoint(8, 0));
    QTest::mouseMove(Handle(), away);
    EXPECT_TRUE(Eventually([&] { return dragged == "café\nsecond line"; })) << dragged.toStdString();
    QTest::mouseRelease(Handle(), Qt::LeftButton, {}, away);
    EXPECT_EQ(view_->SelectedText(), "café\nsecond line");
}

TEST_F(FrameworkTextView, TheContextMenuOffersCopyAndSelectAll) {
    for (const char* text : {"", "abc"}) {
        view_->SetText(text);
        view_->SelectAll();
        QStringList items;
        After(0, [&items] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            for (const QAction* a : menu ? menu->actions() : QList<QAction*>())
                items << a->text() + (a->isEnabled() ? "" : " (off)");
            if (menu) menu->close();
        });
        QTest::mouseClick(Handle(), Qt::RightButton, {}, RowPoint(8, 0));
        const QString off = *text ? "" : " (off)";
        EXPECT_TRUE(Eventually([&] { return !items.isEmpty(); }));
        EXPECT_EQ(items, QStringList({"&Copy\tCtrl+C" + off, "", "Select All\tCtrl+A" + off}));
    }
}

TEST_F(FrameworkTextView, PaintsTheRowsShownAndTheSelection) {
    view_->SetText("WWWW\r" + std::string(300, '\r') + "MMMM");
    view_->setFocus();
    const int row = view_->fontMetrics().height();
    const QRect area = view_->viewport()->rect();
    QImage picture = Picture();
    EXPECT_GE(TextPixels(picture, area.adjusted(0, 0, 0, 4 + row - area.height())), 20) << "the first row";
    EXPECT_EQ(TextPixels(picture, area.adjusted(0, 4 + row, 0, 0)), 0);

    Key(Qt::Key_End);
    picture = Picture();
    const QRect bottom = area.adjusted(0, area.height() - 4 - 2 * row, 0, 0);
    EXPECT_GE(TextPixels(picture, bottom), 20) << "the last row, at the bottom";
    EXPECT_EQ(TextPixels(picture, area.adjusted(0, 0, 0, bottom.top() - area.height())), 0);

    // The selection, kept but shown only while the view has the focus, as the window shows it.
    Key(Qt::Key_A, Qt::ControlModifier);
    auto selection = [&] {
        picture = window_.screen()->grabWindow(window_.winId()).toImage();
        return PixelsWhere(picture, bottom, [](QRgb c) { return c == kHighlight; }) >= 20;
    };
    EXPECT_TRUE(Eventually(selection));
    for (int key : {Qt::Key_Tab, Qt::Key_Backtab}) {
        Key(key);
        ASSERT_EQ(view_->hasFocus(), key == Qt::Key_Backtab);
        EXPECT_TRUE(Eventually([&] { return selection() == view_->hasFocus(); })) << key;
    }
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

    const std::string lines = Lines(1000);
    view_->SetText(lines);
    text->scrollToSubstring(int(lines.find("line 500")), int(lines.find("line 501")));
    EXPECT_TRUE(Shown(int64_t(lines.find("line 500"))));
}

TEST_F(FrameworkTextView, SurvivesEmptyHugeAndNarrowTexts) {
    view_->setFocus();
    for (const String& text : {String(""), String("\r\r\r")}) {
        view_->SetText(text);
        Key(Qt::Key_End);
        EXPECT_EQ(Bar()->value(), 0);
        EXPECT_EQ(TextPixels(Picture(), view_->viewport()->rect()), 0);
        view_->SelectAll();
        EXPECT_EQ(view_->HasSelection(), !text.IsEmpty());
        // Selected line breaks show, as in text editors.
        EXPECT_EQ(PixelsWhere(Picture(), view_->viewport()->rect(), [](QRgb c) { return c == kHighlight; }) > 0,
                  !text.IsEmpty());
    }

    const size_t n = 50u << 20;
    view_->SetText(MacRoman(std::string(n, 'q')));
    EXPECT_EQ(view_->RowCount(), int((n + 4095) / 4096));
    Key(Qt::Key_End);
    EXPECT_GE(TextPixels(Picture(), view_->viewport()->rect()), 20);
    // One character a line: the last page shows the last characters.
    view_->resize(1, kHeight);
    Key(Qt::Key_End);
    EXPECT_EQ(view_->FirstVisibleOffset(), int64_t(n) - Bar()->pageStep());
    EXPECT_FALSE(view_->grab().isNull());
    view_->resize(kWidth, kHeight);
    view_->SelectAll();
    view_->Copy();
    EXPECT_EQ(QApplication::clipboard()->text().size(), qsizetype(n));
}

}  // namespace
