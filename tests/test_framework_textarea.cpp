// The text area: one widget at a time (the editor while it may be edited, the
// view while it is read-only), long texts moved into the editor a slice at a
// time, and what a long loop's yield lets through.

#include "framework/Runtime.h"
#include "framework/Testing.h"
#include "framework/TextArea.h"
#include "framework/TextField.h"
#include "framework/Window.h"

#include "framework/QtAccess.h"
#include "framework/QtBridge.h"
#include "framework/TextView.h"

#include "TestTimers.h"
#include "TestWindows.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <gtest/gtest.h>

using fw::internal::QtAccess;
using namespace fw;

namespace {

constexpr QRgb kHighlight = 0x0000FF;

class FrameworkTextArea : public ::testing::Test {
protected:
    void SetUp() override {
        window = OpenTestWindow("Areas", 300, 200, [this](TestWindow& w) {
            area = w.AddControl<TextArea>("area");
            area->SetBounds(10, 10, 280, 80);
            area->TextChange = [this] { ++changes; };
            field = w.AddControl<TextField>("field");
            field->SetBounds(10, 100, 100, 22);
        });
        Activate(window);
        field->SetFocus();
    }

    QPlainTextEdit* Editor() const { return QtAccess::Edit(area); }
    internal::TextView* View() const { return QtAccess::View(area); }
    QWindow* Handle() const { return QtAccess::Window(window)->windowHandle(); }
    // A point of the area, in the window, as the window system delivers it.
    QPoint InWindow(QWidget* widget, QPoint p) const { return widget->mapTo(QtAccess::Window(window), p); }
    void Type(const QString& keys) { QTest::keyClicks(QApplication::focusWidget(), keys); }

    TestWindow* window = nullptr;
    TextArea* area = nullptr;
    TextField* field = nullptr;
    int changes = 0;
};

String Text(const std::string& bytes) { return String::FromBytes(bytes, Encodings::MacRoman()); }

// About n bytes of short lines.
String Lines(size_t n) {
    std::string s;
    s.reserve(n + 16);
    while (s.size() < n) s += "line " + std::to_string(s.size()) + "\r";
    return Text(s);
}

}  // namespace

TEST_F(FrameworkTextArea, OneWidgetAtATimeHoldsTheTextForInputAndScreenReaders) {
    const String text = String("one") + Chr(13) + "two";
    struct Step {
        const char* what;
        std::function<void()> act;
        bool editor;
    } steps[] = {
        {"fresh", [] {}, true},
        {"written", [&] { area->SetText(text); }, true},
        {"made read-only", [&] { area->SetReadOnly(true); }, false},
        {"written while read-only", [&] { area->SetText(text); }, false},
        {"editable again", [&] { area->SetReadOnly(false); }, true},
    };
    QWidget* content = QtAccess::Content(window);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        fw::testing::ProcessEvents();
        QAbstractScrollArea* shown = step.editor ? static_cast<QAbstractScrollArea*>(Editor()) : View();
        QAbstractScrollArea* hidden = step.editor ? static_cast<QAbstractScrollArea*>(View()) : Editor();
        EXPECT_TRUE(shown->isVisible());
        EXPECT_FALSE(hidden->isVisible());
        // The mouse finds the shown widget's text and scroll bar.
        const QRect r = QtAccess::Widget(area)->geometry();
        EXPECT_EQ(content->childAt(r.center()), shown->viewport());
        QWidget* atBar = content->childAt(QPoint(r.right() - 3, r.center().y()));
        EXPECT_TRUE(atBar && shown->verticalScrollBar()->isAncestorOf(atBar));
        // Screen readers find one text object holding the area's text.
        QAccessibleInterface* box = QAccessible::queryAccessibleInterface(QtAccess::Widget(area));
        ASSERT_EQ(box->childCount(), 1);
        QAccessibleInterface* textObject = box->child(0);
        EXPECT_EQ(textObject->object(), shown);
        EXPECT_EQ(textObject->role(), QAccessible::EditableText);
        EXPECT_EQ(textObject->state().readOnly, !step.editor);
        ASSERT_NE(textObject->textInterface(), nullptr);
        const QString expected = step.what == std::string("fresh") ? QString() : ToDisplayText(text);
        EXPECT_EQ(textObject->textInterface()->text(0, textObject->textInterface()->characterCount()), expected);
        EXPECT_EQ(area->ReadOnly(), !step.editor);
    }
    EXPECT_EQ(area->Text(), text);
}

TEST_F(FrameworkTextArea, TheEditorTypesAtTheCaretReplacesTheSelectionAndComposes) {
    area->SetText("hello world");
    fw::testing::ProcessEvents();
    const auto at = [this](int position) {
        QTextCursor c(Editor()->document());
        c.setPosition(position);
        return InWindow(Editor()->viewport(), Editor()->cursorRect(c).center());
    };
    QTest::mouseClick(Handle(), Qt::LeftButton, {}, at(0));
    ASSERT_TRUE(Editor()->hasFocus());
    Type("X");
    EXPECT_EQ(area->Text(), "Xhello world");
    QTest::mouseDClick(Handle(), Qt::LeftButton, {}, at(9));
    Type("Y");
    EXPECT_EQ(area->Text(), "Xhello Y");
    QTest::keyClick(Handle(), Qt::Key_Home, Qt::ControlModifier);
    Type("Z");
    EXPECT_EQ(area->Text(), "ZXhello Y");
    // An input method composing a dead key, as it talks to the focused widget.
    ASSERT_TRUE(Editor()->testAttribute(Qt::WA_InputMethodEnabled));
    QInputMethodEvent compose(QStringLiteral("\u00B4"), {});
    QApplication::sendEvent(QApplication::focusObject(), &compose);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("\u00E9"));
    QApplication::sendEvent(QApplication::focusObject(), &commit);
    EXPECT_EQ(area->Text(), String("Z\u00E9Xhello Y"));
    // Shift+Insert pastes, as on every desktop here.
    QApplication::clipboard()->setText("+");
    QTest::keyClick(Handle(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(area->Text(), String("Z\u00E9+Xhello Y"));
    QApplication::clipboard()->clear();
}

TEST_F(FrameworkTextArea, WritingAnAreaTheUserEditsIsOneEditUndoTakesBack) {
    area->SetFocus();
    Type("typed");
    changes = 0;
    area->SetText("written");
    EXPECT_EQ(area->Text(), "written");
    EXPECT_EQ(changes, 1);
    Editor()->undo();
    EXPECT_EQ(area->Text(), "typed");
}

TEST_F(FrameworkTextArea, LongTextsReachTheEditorASliceAtATime) {
    const String big = Lines(3u << 19);
    struct Case {
        const char* what;
        std::function<void()> duringFill;
        String text;
        bool editor;
    } cases[] = {
        {"whole, the area reading it all meanwhile",
         [&] { EXPECT_EQ(area->Text().Bytes().size(), big.Bytes().size()); }, big, true},
        {"overtaken by a newer write", [&] { area->SetText("newer"); }, String("newer"), true},
        {"stopped by read-only", [&] { area->SetReadOnly(true); }, big, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        area->SetReadOnly(false);
        area->SetText("");
        fw::testing::ProcessEvents();
        area->SetFocus();
        changes = 0;
        area->SetText(big);
        EXPECT_EQ(changes, 1);
        EXPECT_TRUE(View()->isVisible()) << "until no handler runs";
        bool yielded = false;
        fw::testing::DuringNextYield([&] {
            yielded = true;
            c.duringFill();
        });
        fw::testing::ProcessEvents();
        EXPECT_TRUE(yielded);
        EXPECT_EQ(Editor()->isVisible(), c.editor);
        EXPECT_TRUE(QtAccess::Widget(area)->hasFocus());
        EXPECT_TRUE(area->Text() == c.text);
        EXPECT_EQ(c.editor ? Editor()->document()->characterCount() - 1 : Len(c.text), Len(c.text));
    }
}

TEST_F(FrameworkTextArea, LongLinesAndAFailureWhileTheTextMoves) {
    // Lines longer than a slice go whole, and their words break anywhere.
    const std::string line(700000, 'w');
    const String lines = Text(line + "\r" + line + "\r" + line);
    area->SetText(lines);
    fw::testing::ProcessEvents();
    EXPECT_TRUE(Editor()->isVisible());
    EXPECT_TRUE(area->Text() == lines);
    EXPECT_EQ(Editor()->document()->blockCount(), 3);
    EXPECT_EQ(Editor()->wordWrapMode(), QTextOption::WrapAnywhere);

    // Memory running out on the way leaves the text whole in the view.
    const String big = Lines(3u << 19);
    area->SetText(big);
    fw::testing::FailNextYield();
    fw::testing::ProcessEvents();
    EXPECT_TRUE(View()->isVisible());
    EXPECT_TRUE(area->Text() == big);
    EXPECT_TRUE(Editor()->document()->isEmpty());
    EXPECT_EQ(fw::testing::TakeMessageBoxes().size(), 1u);
}

TEST_F(FrameworkTextArea, AKeyTypedWhileTheTextMovesReachesTheEditor) {
    area->SetFocus();
    const String big = Lines(3u << 19);
    RaiseEvent([&] {
        area->SetText(big);
        fw::testing::DuringNextYield([] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_K); });
        YieldToScheduler();
    });
    ASSERT_TRUE(Eventually([&] { return Len(area->Text()) == Len(big) + 1; }));
    EXPECT_TRUE(Editor()->hasFocus());
    EXPECT_EQ(area->Text().Bytes().find('k'), 0u) << "typed at the caret, at the start of the written text";
}

TEST_F(FrameworkTextArea, TheSelectionShowsOnlyWithTheFocus) {
    QPalette palette = Editor()->palette();
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(kHighlight));
    Editor()->setPalette(palette);
    area->SetText("select me");
    fw::testing::ProcessEvents();
    area->SetFocus();
    Editor()->selectAll();
    const auto highlighted = [this] {
        const QImage shot = Editor()->viewport()->grab().toImage();
        return PixelsWhere(shot, shot.rect(), [](QRgb c) { return c == kHighlight; });
    };
    EXPECT_GT(highlighted(), 20);
    field->SetFocus();
    EXPECT_EQ(highlighted(), 0);
    area->SetFocus();
    EXPECT_GT(highlighted(), 20);
}

TEST_F(FrameworkTextArea, WordsOfMoreThan10000CharactersBreakAnywhere) {
    const auto mode = [this] { return Editor()->document()->defaultTextOption().wrapMode(); };
    area->SetFocus();
    QApplication::clipboard()->setText(QString(10001, QLatin1Char('w')));
    QTest::keyClick(Editor(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(area->Text().Bytes().size(), 10001u);
    EXPECT_EQ(mode(), QTextOption::WrapAnywhere);
    // Its layout is kept, not made anew at every blink of the caret.
    EXPECT_TRUE(Editor()->document()->firstBlock().layout()->cacheEnabled());
    area->SetText(QString(5000, QLatin1Char('w')).repeated(3).replace(5000, 1, QLatin1Char(' ')).toStdString());
    EXPECT_EQ(mode(), QTextOption::WrapAtWordBoundaryOrAnywhere) << "a long line of shorter words";
    QApplication::clipboard()->clear();
}

TEST_F(FrameworkTextArea, ALongLoopHoldsTypingUntilItEndsButLetsAWindowClose) {
    TestWindow* other = OpenTestWindow("Other", 100, 50);
    std::string duringLoop;
    RaiseEvent([&] {
        fw::testing::DuringNextYield([&] {
            QTest::keyClick(QtAccess::Edit(field), Qt::Key_A);
            QtAccess::Window(other)->close();
        });
        YieldToScheduler();
        duringLoop = field->Text().ToUTF8();
    });
    EXPECT_EQ(duringLoop, "") << "the key waited for the loop";
    EXPECT_TRUE(other->IsClosed());
    ASSERT_TRUE(Eventually([&] { return field->Text() == "a"; })) << "and was not lost";
}
