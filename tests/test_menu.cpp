// The menu bar: its model, what the converter window shows of it, the item
// accessors, and which items are enabled when the menus are prepared.

#include "ProgramFixture.h"

#include "app/Menu.h"
#include "framework/Exceptions.h"
#include "framework/Internal.h"
#include "framework/MenuItem.h"

#include "framework/QtAccess.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>
#include <string>
#include <vector>

using fw::internal::QtAccess;

namespace {

using Strings = std::vector<std::string>;

struct Entry {
    const char* name;
    const char* text;
    const char* shortcut;    // as the program writes it
    const char* qtShortcut;  // as Qt shows it on this platform
};

struct MenuDesign {
    const char* name;
    const char* text;
    std::vector<Entry> entries;
};

const MenuDesign kMenus[] = {
    {"UntitledMenu5",
     "File",
     {{"FileConvertCharacters", "Convert Characters", "Cmd+N", "Ctrl+N"},
      {"FileBlockConversions", "Convert Blocks", "Cmd+B", "Ctrl+B"},
      {"FileShowTable", "Show ASCII Table", "Cmd+T", "Ctrl+T"},
      {"UntitledMenu7", "-", "", ""},
      {"FileCloseWindow", "Close Window", "Cmd+W", "Ctrl+W"},
      {"UntitledMenu6", "-", "", ""},
      {"FileQuit", "Quit", "Cmd+Q", "Ctrl+Q"}}},
    {"UntitledMenu1",
     "Edit",
     {{"EditUndo", "Undo", "Cmd+Z", "Ctrl+Z"},
      {"UntitledMenu4", "-", "", ""},
      {"EditCut", "Cut", "Cmd+X", "Ctrl+X"},
      {"EditCopy", "Copy", "Cmd+C", "Ctrl+C"},
      {"EditPaste", "Paste", "Cmd+V", "Ctrl+V"},
      {"EditClear", "Clear", "", ""},
      {"UntitledMenu3", "-", "", ""},
      {"EditSelectAll", "Select All", "Cmd+A", "Ctrl+A"},
      {"UntitledMenu2", "-", "", ""},
      {"EditWarnOnLargeTextBlocks", "Warn On Large Block Conversions", "", ""},
      {"EditShowDecimalandHexasHTML", "Show Decimal and Hex as HTML", "Cmd+L", "Ctrl+L"}}},
    {"UntitledMenu0",
     "Help",
     {{"InternetVisitTessarindswebsite", "Visit Tessarinds\u2019 Website\u2026", "", ""},
      {"HelpCheckForUpdates", "Check For Updates\u2026", "", ""},
      {"AppleAboutCharvella", "About Charvella\u2026", "", ""}}},
};

// The names of the enabled items of all menus, in menu order.
Strings EnabledItems() {
    Strings names;
    const fw::MenuBar& bar = *App()->MenuBar();
    for (int i = 0; i < bar.Count(); ++i)
        for (int j = 0; j < bar.Item(i)->Count(); ++j)
            if (bar.Item(i)->Item(j)->Enabled()) names.push_back(bar.Item(i)->Item(j)->Name().ToUTF8());
    return names;
}

// The enabled items among those the application's own enabling leaves alone:
// Quit and the editing items, which the framework and the focused field enable.
Strings EnabledEditingItems() {
    const Strings editing = {"FileQuit", "EditUndo", "EditCut", "EditCopy", "EditPaste", "EditClear", "EditSelectAll"};
    Strings names;
    for (const std::string& name : EnabledItems())
        if (std::find(editing.begin(), editing.end(), name) != editing.end()) names.push_back(name);
    return names;
}

class MenuTest : public ProgramTest {
protected:
    // Leaves no widget with the keyboard focus.
    static void ClearFocus() {
        if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
        ASSERT_EQ(fw::internal::FocusedControl(), nullptr);
    }
};

TEST_F(MenuTest, MenuBarModel) {
    const std::shared_ptr<fw::MenuBar> bar = App()->MenuBar();
    ASSERT_TRUE(bar);
    ASSERT_EQ(bar->Count(), 3);
    for (int i = 0; i < 3; ++i) {
        const MenuDesign& design = kMenus[i];
        const fw::MenuItemPtr menu = bar->Item(i);
        EXPECT_EQ(menu->Name().ToUTF8(), design.name);
        EXPECT_EQ(menu->Text().ToUTF8(), design.text);
        ASSERT_EQ(menu->Count(), static_cast<int>(design.entries.size())) << design.text;
        for (int j = 0; j < menu->Count(); ++j) {
            const Entry& entry = design.entries[static_cast<size_t>(j)];
            const fw::MenuItemPtr item = menu->Item(j);
            const std::string name = entry.name;
            EXPECT_EQ(item->Name().ToUTF8(), name);
            EXPECT_EQ(item->Text().ToUTF8(), entry.text) << name;
            EXPECT_EQ(item->KeyboardShortcut().ToUTF8(), entry.shortcut) << name;
            EXPECT_EQ(item->IsSeparator(), std::string(entry.text) == "-") << name;
            EXPECT_EQ(item->AutoEnable(), name == "FileQuit") << name;
            EXPECT_EQ(dynamic_cast<fw::QuitMenuItem*>(item.get()) != nullptr, name == "FileQuit") << name;
            EXPECT_EQ(dynamic_cast<fw::AppleMenuItem*>(item.get()) != nullptr, name == "AppleAboutCharvella")
                << name;
            EXPECT_EQ(item->Count(), 0) << name;
        }
    }
}

TEST_F(MenuTest, ConverterWindowShowsTheMenuBar) {
    Window1* window = Converter();
    QMenuBar* qbar = QtAccess::Window(window)->menuBar();
    ASSERT_NE(qbar, nullptr);
    const QList<QAction*> titles = qbar->actions();
    ASSERT_EQ(titles.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const MenuDesign& design = kMenus[i];
        QMenu* menu = titles[i]->menu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->title().toStdString(), design.text);
        const QList<QAction*> actions = menu->actions();
        ASSERT_EQ(actions.size(), static_cast<qsizetype>(design.entries.size())) << design.text;
        for (size_t j = 0; j < design.entries.size(); ++j) {
            const Entry& entry = design.entries[j];
            const QAction* action = actions[static_cast<qsizetype>(j)];
            const bool separator = std::string(entry.text) == "-";
            EXPECT_EQ(action, QtAccess::Action(App()->MenuBar()->_Lookup(entry.name).get())) << entry.name;
            EXPECT_EQ(action->isSeparator(), separator) << entry.name;
            if (!separator) {
                EXPECT_EQ(action->text().toStdString(), entry.text) << entry.name;
            }
            EXPECT_EQ(action->shortcut().toString(QKeySequence::PortableText).toStdString(), entry.qtShortcut)
                << entry.name;
        }
    }
    EXPECT_EQ(titles[0]->menu()->actions().last()->menuRole(), QAction::QuitRole);
    EXPECT_EQ(titles[2]->menu()->actions().last()->menuRole(), QAction::AboutRole);
}

TEST_F(MenuTest, AccessorsFindTheirItems) {
    struct Accessor {
        fw::MenuItemPtr (*get)();
        const char* name;
    };
    const Accessor accessors[] = {
        {FileConvertCharacters, "FileConvertCharacters"},
        {FileBlockConversions, "FileBlockConversions"},
        {FileShowTable, "FileShowTable"},
        {FileCloseWindow, "FileCloseWindow"},
        {EditSelectAll, "EditSelectAll"},
        {EditWarnOnLargeTextBlocks, "EditWarnOnLargeTextBlocks"},
        {EditShowDecimalandHexasHTML, "EditShowDecimalandHexasHTML"},
        {InternetVisitTessarindswebsite, "InternetVisitTessarindswebsite"},
        {HelpCheckForUpdates, "HelpCheckForUpdates"},
        {[]() -> fw::MenuItemPtr { return AppleAboutCharvella(); }, "AppleAboutCharvella"},
    };
    for (const Accessor& accessor : accessors) {
        const fw::MenuItemPtr item = accessor.get();
        ASSERT_TRUE(item) << accessor.name;
        EXPECT_EQ(item->Name().ToUTF8(), accessor.name);
        EXPECT_EQ(accessor.get(), item) << accessor.name;
        EXPECT_EQ(Menu::Instance()->_Lookup(accessor.name), item) << accessor.name;
    }
}

TEST(MenuAccessors, ThrowWithoutApplication) {
    ASSERT_EQ(App(), nullptr);
    using Get = fw::MenuItemPtr (*)();
    const Get accessors[] = {FileConvertCharacters,       FileBlockConversions,
                             FileShowTable,               FileCloseWindow,
                             EditSelectAll,               EditWarnOnLargeTextBlocks,
                             EditShowDecimalandHexasHTML, InternetVisitTessarindswebsite,
                             HelpCheckForUpdates};
    for (Get get : accessors) EXPECT_THROW(get(), fw::NilObjectException);
    EXPECT_THROW(AppleAboutCharvella(), fw::NilObjectException);
}

TEST_F(MenuTest, WithoutFocusedFieldOnlyQuitOfTheseIsEnabled) {
    Converter();
    ClearFocus();
    fw::internal::PrepareMenus();
    EXPECT_EQ(EnabledEditingItems(), Strings{"FileQuit"});
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
    Press(window, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(fw::testing::QuitCode(), 0);
    EXPECT_TRUE(fw::testing::TakeMessageBoxes().empty());
}

// The framework enables the editing items for the focused field by its state.
TEST_F(MenuTest, EditingItemsFollowTheFocusedField) {
    Window1* window = Converter();
    QClipboard* clipboard = QApplication::clipboard();

    clipboard->setText("7");
    ClickInto(window->outputChar());
    fw::internal::PrepareMenus();
    EXPECT_EQ(EnabledEditingItems(), (Strings{"FileQuit", "EditPaste"})) << "empty field";

    ClickInto(window->outputDec());
    Type(window, "65");
    QtAccess::Edit(window->outputDec())->selectAll();
    fw::internal::PrepareMenus();
    EXPECT_EQ(EnabledEditingItems(),
              (Strings{"FileQuit", "EditUndo", "EditCut", "EditCopy", "EditPaste", "EditClear", "EditSelectAll"}))
        << "typed and selected";

    clipboard->clear();
    QtAccess::Edit(window->outputDec())->deselect();
    fw::internal::PrepareMenus();
    EXPECT_EQ(EnabledEditingItems(), (Strings{"FileQuit", "EditUndo", "EditSelectAll"})) << "typed, no selection";

    // The program wrote the binary field: nothing to undo there.
    ClickInto(window->outputBin());
    ASSERT_EQ(TextOf(window->outputBin()), "0100 0001");
    QtAccess::Edit(window->outputBin())->selectAll();
    fw::internal::PrepareMenus();
    EXPECT_EQ(EnabledEditingItems(), (Strings{"FileQuit", "EditCut", "EditCopy", "EditClear", "EditSelectAll"}))
        << "written by the program, selected";

    // Copy through the Edit menu copies the selection.
    QtAccess::Action(App()->MenuBar()->_Lookup("EditCopy").get())->trigger();
    EXPECT_EQ(clipboard->text().toStdString(), "0100 0001");
    EXPECT_TRUE(fw::testing::TakeMessageBoxes().empty());
}

}  // namespace
