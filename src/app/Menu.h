#pragma once

// The menu bar: File, Edit and Help, built once at start-up, and accessors
// that find its items by name in the application's installed menu bar.

#include "framework/MenuItem.h"

#include <memory>

class Menu : public fw::MenuBar {
public:
    Menu();
    // The one menu bar, built on the first call.
    static std::shared_ptr<Menu> Instance();
    static inline std::shared_ptr<Menu> _implicitInstance;

    void Untitled1();  // File
    void Untitled2();  // Edit
    void Untitled3();  // Help
};

fw::MenuItemPtr FileConvertCharacters();
fw::MenuItemPtr FileBlockConversions();
fw::MenuItemPtr FileShowTable();
fw::MenuItemPtr FileCloseWindow();
fw::MenuItemPtr EditSelectAll();
fw::MenuItemPtr EditWarnOnLargeTextBlocks();
fw::MenuItemPtr EditShowDecimalandHexasHTML();
fw::MenuItemPtr InternetVisitTessarindswebsite();
fw::MenuItemPtr HelpCheckForUpdates();
std::shared_ptr<fw::AppleMenuItem> AppleAboutCharvella();
