// The text area's two sides, the editor and the view of long texts, and what
// a long loop's yield lets through.

#include "framework/Runtime.h"
#include "framework/Testing.h"
#include "framework/TextArea.h"
#include "framework/TextField.h"
#include "framework/Window.h"

#include "framework/QtAccess.h"
#include "framework/TextView.h"

#include "TestTimers.h"
#include "TestWindows.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <gtest/gtest.h>

using fw::internal::QtAccess;
using namespace fw;

namespace {

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
    bool Viewing() const { return View()->isVisible(); }

    TestWindow* window = nullptr;
    TextArea* area = nullptr;
    TextField* field = nullptr;
    int changes = 0;
};

}  // namespace

TEST_F(FrameworkTextArea, TextWrittenWhileNobodyEditsIsShownByTheViewUntilTheUserEntersTheArea) {
    const String text = String("one") + Chr(13) + "two";
    area->SetText(text);
    EXPECT_TRUE(Viewing());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(area->Text(), text);
    EXPECT_TRUE(Editor()->document()->isEmpty()) << "the text is kept once";

    // Clicking into an area that may be edited hands the text to the editor.
    QTest::mouseClick(View()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(Viewing());
    EXPECT_TRUE(Editor()->hasFocus());
    EXPECT_EQ(area->Text(), text);
    EXPECT_EQ(changes, 1) << "moving the text is no change";

    // Made read-only, the area shows its text in the view again, and entering
    // it leaves the text there.
    area->SetReadOnly(true);
    EXPECT_TRUE(Viewing());
    EXPECT_EQ(area->Text(), text);
    field->SetFocus();
    QTest::mouseClick(View()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(Viewing());
    EXPECT_TRUE(View()->hasFocus());
    EXPECT_EQ(changes, 1);
}

TEST_F(FrameworkTextArea, WritingAnAreaTheUserEditsIsOneEditUndoTakesBack) {
    area->SetFocus();
    QTest::keyClicks(Editor(), "typed");
    changes = 0;
    area->SetText("written");
    EXPECT_FALSE(Viewing());
    EXPECT_EQ(area->Text(), "written");
    EXPECT_EQ(changes, 1);
    Editor()->undo();
    EXPECT_EQ(area->Text(), "typed");
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
