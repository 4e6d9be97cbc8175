// The menu bar as the user meets it: the menus opened through the window's
// real menu bar (clicks, hovering, arrow keys, mnemonics, F10, shortcuts),
// what they show once prepared, and what screen readers find in them.

#include "ProgramFixture.h"

#include "Menu.h"
#include "globalVars.h"
#include "BlockConvert.h"
#include "framework/Internal.h"
#include "framework/MenuItem.h"
#include "framework/TextField.h"

#include "framework/QtAccess.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using fw::internal::QtAccess;

namespace {

using Strings = std::vector<std::string>;

QMenuBar* BarOf(fw::Window* window) { return QtAccess::Window(window)->menuBar(); }

// The menu that is open, if any.
QMenu* OpenMenu() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }

// Escape, as often as it takes to leave the menus.
void CloseMenus() {
    while (QWidget* popup = QApplication::activePopupWidget()) QTest::keyClick(popup, Qt::Key_Escape);
    if (auto* bar = qobject_cast<QMenuBar*>(QApplication::focusWidget())) QTest::keyClick(bar, Qt::Key_Escape);
}

// One row of an open menu as the user reads it: caption, shortcut and, for
// items that are off, "(off)"; a check mark as "[x] ". Separators are "---"
// and must carry no text, or styles draw it at their left end.
std::string Row(const QAction* action) {
    if (action->isSeparator())
        return action->text().isEmpty() ? "---" : "--- with text " + action->text().toStdString();
    std::string row = action->isChecked() ? "[x] " : "";
    row += action->text().toStdString();
    if (!action->shortcut().isEmpty())
        row += "  " + action->shortcut().toString(QKeySequence::NativeText).toStdString();
    if (!action->isEnabled()) row += " (off)";
    return row;
}

Strings Rows(const QMenu* menu) {
    Strings rows;
    for (const QAction* action : menu->actions()) rows.push_back(Row(action));
    return rows;
}

void ClickTitle(QMenuBar* bar, int index) {
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(bar->actions()[index]).center());
}

// The pointer moved over a menu title while another menu is open.
void HoverTitle(QMenuBar* bar, int index) {
    const QPoint at = bar->actionGeometry(bar->actions()[index]).center();
    QMouseEvent move(QEvent::MouseMove, at, bar->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &move);
}

class MenuTest : public ProgramTest {
protected:
    void TearDown() override { CloseMenus(); }

    // Leaves no widget with the keyboard focus.
    static void ClearFocus() {
        if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
        ASSERT_EQ(fw::internal::FocusedControl(), nullptr);
    }

    // The converter with "65" typed into its decimal field and "7" on the
    // clipboard: Undo, Paste and Select All have something to do.
    Window1* ConverterWith65() {
        Window1* window = Converter();
        QApplication::clipboard()->setText("7");
        ClickInto(window->outputDec());
        Type(window, "65");
        return window;
    }
};

// What each menu shows once prepared, opened by a click on its title.
TEST_F(MenuTest, MenusAsTheUserSeesThem) {
    QMenuBar* bar = BarOf(ConverterWith65());
    QStringList titles;
    for (const QAction* title : bar->actions()) titles << title->text();
    EXPECT_EQ(titles, QStringList({"&File", "&Edit", "&Help"}));

    // The converter is in front: its own command is off.
    const Strings shown[] = {
        {"Convert Characters  Ctrl+N (off)", "Convert Blocks  Ctrl+B", "Show ASCII Table  Ctrl+T", "---",
         "Close Window  Ctrl+W", "---", "Quit  Ctrl+Q"},
        {"Undo  Ctrl+Z", "---", "Cut  Ctrl+X (off)", "Copy  Ctrl+C (off)", "Paste  Ctrl+V", "Clear (off)", "---",
         "Select All  Ctrl+A", "---", "[x] Warn On Large Block Conversions", "Show Decimal and Hex as HTML  Ctrl+L"},
        {"Visit Tessarinds' Website\u2026", "Check For Updates\u2026", "About Charvella\u2026"},
    };
    for (int i = 0; i < 3; ++i) {
        ClickTitle(bar, i);
        ASSERT_EQ(OpenMenu(), bar->actions()[i]->menu()) << i;
        EXPECT_EQ(Rows(OpenMenu()), shown[i]) << titles[i].toStdString();
        CloseMenus();
    }
    // The model keeps the texts as the program set them.
    EXPECT_EQ(App()->MenuBar()->Item(0)->Text().ToUTF8(), "File");

    // A check mark set while the menus are prepared shows in the menu.
    globalVars::showHTML = true;
    ClickTitle(bar, 1);
    ASSERT_NE(OpenMenu(), nullptr);
    EXPECT_EQ(Rows(OpenMenu()).back(), "[x] Show Decimal and Hex as HTML  Ctrl+L");
}

// However a menu is reached, it is prepared for the field the user was in.
TEST_F(MenuTest, MenusArePreparedHoweverTheyAreReached) {
    struct Way {
        const char* name;
        std::function<void(Window1*, QMenuBar*)> reach;  // leaves the Edit menu open
    };
    const Way ways[] = {
        {"click on Edit", [](Window1*, QMenuBar* bar) { ClickTitle(bar, 1); }},
        {"click on File, hover over Edit",
         [](Window1*, QMenuBar* bar) {
             ClickTitle(bar, 0);
             HoverTitle(bar, 1);
         }},
        {"click on File, right arrow",
         [](Window1*, QMenuBar* bar) {
             ClickTitle(bar, 0);
             QTest::keyClick(OpenMenu(), Qt::Key_Right);
         }},
        {"Alt+E", [](Window1* w, QMenuBar*) { Press(w, Qt::Key_E, Qt::AltModifier); }},
        {"Alt+F, right arrow",
         [](Window1* w, QMenuBar*) {
             Press(w, Qt::Key_F, Qt::AltModifier);
             QTest::keyClick(OpenMenu(), Qt::Key_Right);
         }},
        {"F10, right arrow",
         [](Window1* w, QMenuBar*) {
             Press(w, Qt::Key_F10);
             QTest::keyClick(OpenMenu(), Qt::Key_Right);
         }},
        {"Alt+H, left arrow",
         [](Window1* w, QMenuBar*) {
             Press(w, Qt::Key_H, Qt::AltModifier);
             QTest::keyClick(OpenMenu(), Qt::Key_Left);
         }},
    };
    Window1* window = ConverterWith65();
    QMenuBar* bar = BarOf(window);
    for (const Way& way : ways) {
        // The offscreen platform leaves a closed menu the focus window.
        QtAccess::Window(window)->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(QtAccess::Window(window)));
        ClickInto(window->outputDec());
        way.reach(window, bar);
        ASSERT_EQ(OpenMenu(), bar->actions()[1]->menu()) << way.name;
        const Strings rows = Rows(OpenMenu());
        EXPECT_EQ(rows[0], "Undo  Ctrl+Z") << way.name;
        EXPECT_EQ(rows[7], "Select All  Ctrl+A") << way.name;
        // Chosen there, the command goes to that field too.
        QMenu* edit = OpenMenu();
        QTest::mouseClick(edit, Qt::LeftButton, {}, edit->actionGeometry(edit->actions()[7]).center());
        EXPECT_EQ(window->outputDec()->SelLength(), 2) << way.name;
        CloseMenus();
    }
    // A shortcut prepares the menus too: Select All acts on the field.
    ClickInto(window->outputDec());
    Press(window, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(window->outputDec()->SelLength(), 2);
}

TEST_F(MenuTest, ShortcutsOfDisabledItemsDoNothing) {
    Window1* window = Converter();
    ClearFocus();
    int convertCalls = 0;
    App()->_AddMenuHandler("FileConvertCharacters", [&] {
        ++convertCalls;
        return true;
    });
    Press(window, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(convertCalls, 0);
    EXPECT_EQ(fw::testing::QuitCode(), std::nullopt);
    // The same key reaches the handler once its item enables itself.
    FileConvertCharacters()->SetAutoEnable(true);
    Press(window, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(convertCalls, 1);
    EXPECT_TRUE(fw::testing::TakeMessageBoxes().empty());
}

// The menus' keys never reach a control: not the block converter's input
// either, where Select All is off and Alt chords belong to the menus.
TEST_F(MenuTest, MenuKeysNeverReachATextArea) {
    BlockConvert* blocks = BlockConvert::Instance();
    Activate(blocks);
    QPlainTextEdit* input = QtAccess::Edit(blocks->EditField1());
    QTest::mouseClick(input->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::keyClicks(input, "ab");
    Press(blocks, Qt::Key_A, Qt::ControlModifier);
    EXPECT_FALSE(input->textCursor().hasSelection()) << "a disabled Select All acted";
    for (const Qt::Key key : {Qt::Key_Z, Qt::Key_5}) {
        Press(blocks, key, Qt::AltModifier);
        while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        QtAccess::Window(blocks)->activateWindow();
    }
    EXPECT_EQ(blocks->EditField1()->Text(), "ab");
}

// The framework enables the editing items for the focused field by its state.
TEST_F(MenuTest, EditingItemsFollowTheFocusedField) {
    Window1* window = Converter();
    QClipboard* clipboard = QApplication::clipboard();

    clipboard->setText("7");
    ClickInto(window->outputChar());
    fw::internal::PrepareMenus();
    EXPECT_EQ(EnabledItems(true), (Strings{"FileQuit", "EditPaste"})) << "empty field";

    ClickInto(window->outputDec());
    Type(window, "65");
    QtAccess::Edit(window->outputDec())->selectAll();
    fw::internal::PrepareMenus();
    EXPECT_EQ(EnabledItems(true),
              (Strings{"FileQuit", "EditUndo", "EditCut", "EditCopy", "EditPaste", "EditClear", "EditSelectAll"}))
        << "typed and selected";

    clipboard->clear();
    QtAccess::Edit(window->outputDec())->deselect();
    fw::internal::PrepareMenus();
    EXPECT_EQ(EnabledItems(true), (Strings{"FileQuit", "EditUndo", "EditSelectAll"})) << "typed, no selection";

    // The program wrote the binary field: nothing to undo there.
    ClickInto(window->outputBin());
    ASSERT_EQ(TextOf(window->outputBin()), "0100 0001");
    QtAccess::Edit(window->outputBin())->selectAll();
    fw::internal::PrepareMenus();
    EXPECT_EQ(EnabledItems(true), (Strings{"FileQuit", "EditCut", "EditCopy", "EditClear", "EditSelectAll"}))
        << "written by the program, selected";

    // Copy through the Edit menu copies the selection.
    QtAccess::Action(App()->MenuBar()->_Lookup("EditCopy").get())->trigger();
    EXPECT_EQ(clipboard->text().toStdString(), "0100 0001");
    EXPECT_TRUE(fw::testing::TakeMessageBoxes().empty());
}

// The block converter's input edits in its editor whatever its size, and a
// read-only output offers Copy alone; selections made with the mouse, and
// Cut as its key gives it, through the window.
TEST_F(MenuTest, EditingItemsFollowTheBlockConvertersAreas) {
    BlockConvert* blocks = BlockConvert::Instance();
    Activate(blocks);
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setText("7");
    QMainWindow* frame = QtAccess::Window(blocks);
    const auto doubleClickAt = [frame](QWidget* viewport, QPoint p) {
        QTest::mouseDClick(frame->windowHandle(), Qt::LeftButton, {}, viewport->mapTo(frame, p));
    };
    QPlainTextEdit* input = QtAccess::Edit(blocks->EditField1());
    QTest::mouseClick(frame->windowHandle(), Qt::LeftButton, {}, input->viewport()->mapTo(frame, QPoint(5, 5)));
    Type(blocks, "ab cd");
    QTextCursor word(input->document());
    word.setPosition(4);
    doubleClickAt(input->viewport(), input->cursorRect(word).center());
    fw::internal::PrepareMenus();
    EXPECT_EQ(EnabledItems(true), (Strings{"FileQuit", "EditUndo", "EditCut", "EditCopy", "EditPaste", "EditClear"}));
    Press(blocks, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(blocks->EditField1()->Text(), "ab ");
    EXPECT_EQ(clipboard->text(), "cd");

    // "97 98 32" in the first output, read-only: a word of it selected.
    QWidget* output = QtAccess::Widget(blocks->EditField2());
    doubleClickAt(output, QPoint(8, 10));
    ASSERT_TRUE(output->hasFocus());
    fw::internal::PrepareMenus();
    EXPECT_EQ(EnabledItems(true), (Strings{"FileQuit", "EditCopy"}));
    QtAccess::Action(App()->MenuBar()->_Lookup("EditCopy").get())->trigger();
    EXPECT_EQ(clipboard->text(), "97");
    clipboard->clear();
}

// --- Screen readers -------------------------------------------------------

// Each menu's items as a screen reader reads them from the window's menu
// bar: name, and "(off)" for disabled ones; an empty name for a lost item.
std::vector<Strings> AccessibleMenus(fw::Window* window) {
    std::vector<Strings> menus;
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(BarOf(window));
    if (!bar) return menus;
    for (int i = 0; i < bar->childCount(); ++i) {
        Strings items{bar->child(i)->text(QAccessible::Name).toStdString()};
        QAccessibleInterface* menu = bar->child(i)->child(0);
        for (int j = 0; menu && j < menu->childCount(); ++j) {
            QAccessibleInterface* item = menu->child(j);
            if (!item || !item->isValid()) {
                items.push_back("(lost)");
                continue;
            }
            if (item->role() == QAccessible::Separator) continue;
            items.push_back(item->text(QAccessible::Name).toStdString() +
                            (item->state().disabled ? " (off)" : ""));
        }
        menus.push_back(items);
    }
    return menus;
}

TEST_F(MenuTest, MenusStayReadableAfterAWindowCloses) {
    Converter()->Close();
    fw::testing::ProcessEvents();
    // Two document windows of the tests' own, each showing the menu bar.
    TestWindow* first = OpenTestWindow("First", 200, 80);
    TestWindow* second = OpenTestWindow("Second", 200, 80);
    HelpCheckForUpdates()->SetAutoEnable(true);
    fw::internal::PrepareMenus();

    const std::vector<Strings> expected = {
        {"File", "Convert Characters", "Convert Blocks", "Show ASCII Table", "Close Window", "Quit"},
        {"Edit", "Undo (off)", "Cut (off)", "Copy (off)", "Paste (off)", "Clear (off)", "Select All (off)",
         "Warn On Large Block Conversions", "Show Decimal and Hex as HTML"},
        {"Help", "Visit Tessarinds' Website\u2026", "Check For Updates\u2026", "About Charvella\u2026"},
    };
    EXPECT_EQ(AccessibleMenus(first), expected);
    EXPECT_EQ(AccessibleMenus(second), expected);

    first->Close();
    fw::testing::ProcessEvents();
    EXPECT_EQ(AccessibleMenus(second), expected) << "after the first window closed";

    // The item still carries out its command when a screen reader presses it.
    int checks = 0;
    App()->_AddMenuHandler("HelpCheckForUpdates", [&] {
        ++checks;
        return true;
    });
    QAccessibleInterface* help = QAccessible::queryAccessibleInterface(BarOf(second))->child(2)->child(0);
    QAccessibleInterface* item = help->child(1);
    ASSERT_TRUE(item && item->isValid() && item->actionInterface());
    item->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    fw::testing::ProcessEvents();
    EXPECT_EQ(checks, 1);
}

}  // namespace
