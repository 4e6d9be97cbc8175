#include "Menu.h"

#include "Charvella.h"
#include "framework/Exceptions.h"

namespace {

struct Entry {
    enum Kind { Item, Quit, About } kind;
    const char* name;
    const char* text;
    const char* shortcut;  // nullptr for separators
};

constexpr Entry kFileMenu[] = {
    {Entry::Item, "FileConvertCharacters", "Convert Characters", "Cmd+N"},
    {Entry::Item, "FileBlockConversions", "Convert Blocks", "Cmd+B"},
    {Entry::Item, "FileShowTable", "Show ASCII Table", "Cmd+T"},
    {Entry::Item, "UntitledMenu7", "-", nullptr},
    {Entry::Item, "FileCloseWindow", "Close Window", "Cmd+W"},
    {Entry::Item, "UntitledMenu6", "-", nullptr},
    {Entry::Quit, "FileQuit", "Quit", "Cmd+Q"},
};

constexpr Entry kEditMenu[] = {
    {Entry::Item, "EditUndo", "Undo", "Cmd+Z"},
    {Entry::Item, "UntitledMenu4", "-", nullptr},
    {Entry::Item, "EditCut", "Cut", "Cmd+X"},
    {Entry::Item, "EditCopy", "Copy", "Cmd+C"},
    {Entry::Item, "EditPaste", "Paste", "Cmd+V"},
    {Entry::Item, "EditClear", "Clear", ""},
    {Entry::Item, "UntitledMenu3", "-", nullptr},
    {Entry::Item, "EditSelectAll", "Select All", "Cmd+A"},
    {Entry::Item, "UntitledMenu2", "-", nullptr},
    {Entry::Item, "EditWarnOnLargeTextBlocks", "Warn On Large Block Conversions", ""},
    {Entry::Item, "EditShowDecimalandHexasHTML", "Show Decimal and Hex as HTML", "Cmd+L"},
};

constexpr Entry kHelpMenu[] = {
    {Entry::Item, "InternetVisitTessarindswebsite", "Visit Tessarinds' Website\xE2\x80\xA6", ""},
    {Entry::Item, "HelpCheckForUpdates", "Check For Updates\xE2\x80\xA6", ""},
    {Entry::About, "AppleAboutCharvella", "About Charvella\xE2\x80\xA6", ""},
};

template <size_t N>
void BuildMenu(Menu& bar, const char* name, const char* text, const Entry (&entries)[N]) {
    auto menu = std::make_shared<fw::MenuItem>();
    menu->SetName(name);
    menu->SetAutoEnable(false);
    menu->SetText(text);
    menu->SetKeyboardShortcut("");
    bar.Append(menu);
    for (const Entry& entry : entries) {
        std::shared_ptr<fw::MenuItem> item;
        switch (entry.kind) {
            case Entry::Item: item = std::make_shared<fw::MenuItem>(); break;
            case Entry::Quit: item = std::make_shared<fw::QuitMenuItem>(); break;
            case Entry::About: item = std::make_shared<fw::AppleMenuItem>(); break;
        }
        item->SetName(entry.name);
        // Only Quit enables itself; every other item waits for EnableMenuItems.
        item->SetAutoEnable(entry.kind == Entry::Quit);
        item->SetText(entry.text);
        if (entry.shortcut) item->SetKeyboardShortcut(entry.shortcut);
        fw::NonNil(bar.Child(name))->Append(item);
    }
}

fw::MenuItemPtr Lookup(const char* name) {
    Charvella* app = fw::NonNil(App());
    return fw::NonNil(app->MenuBar())->_Lookup(name);
}

}  // namespace

Menu::Menu() {
    Untitled1();
    Untitled2();
    Untitled3();
}

std::shared_ptr<Menu> Menu::Instance() {
    if (!_implicitInstance) _implicitInstance = std::make_shared<Menu>();
    return _implicitInstance;
}

void Menu::Untitled1() { BuildMenu(*this, "UntitledMenu5", "File", kFileMenu); }
void Menu::Untitled2() { BuildMenu(*this, "UntitledMenu1", "Edit", kEditMenu); }
void Menu::Untitled3() { BuildMenu(*this, "UntitledMenu0", "Help", kHelpMenu); }

fw::MenuItemPtr FileConvertCharacters() { return Lookup("FileConvertCharacters"); }
fw::MenuItemPtr FileBlockConversions() { return Lookup("FileBlockConversions"); }
fw::MenuItemPtr FileShowTable() { return Lookup("FileShowTable"); }
fw::MenuItemPtr FileCloseWindow() { return Lookup("FileCloseWindow"); }
fw::MenuItemPtr EditSelectAll() { return Lookup("EditSelectAll"); }
fw::MenuItemPtr EditWarnOnLargeTextBlocks() { return Lookup("EditWarnOnLargeTextBlocks"); }
fw::MenuItemPtr EditShowDecimalandHexasHTML() { return Lookup("EditShowDecimalandHexasHTML"); }
fw::MenuItemPtr InternetVisitTessarindswebsite() { return Lookup("InternetVisitTessarindswebsite"); }
fw::MenuItemPtr HelpCheckForUpdates() { return Lookup("HelpCheckForUpdates"); }

std::shared_ptr<fw::AppleMenuItem> AppleAboutCharvella() {
    return std::dynamic_pointer_cast<fw::AppleMenuItem>(Lookup("AppleAboutCharvella"));
}
