#pragma once

// Menu items and the menu bar. A MenuBar's children are the menus, their
// children the items; every entry has a name by which the program finds it
// and binds its handlers. An item whose AutoEnable is False is disabled each
// time the menus are prepared unless an EnableMenuItems handler enables it.
//
// Each item is backed by one QAction that holds its state; every window's
// menu bar shows an action of its own that follows it, so the item's enabled
// and checked states show everywhere at once. Menu titles get the mnemonic of
// their first free letter (Alt+F opens File); the item texts stay as set.

#include "framework/String.h"

#include <memory>
#include <vector>

class QAction;

namespace fw {

namespace internal {
struct QtAccess;
}

class MenuItem;
using MenuItemPtr = std::shared_ptr<MenuItem>;

class MenuItem {
public:
    MenuItem();
    virtual ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    String Name() const { return name_; }
    void SetName(const String& name) { name_ = name; }
    bool AutoEnable() const { return autoEnable_; }
    void SetAutoEnable(bool on) { autoEnable_ = on; }
    String Text() const { return text_; }
    void SetText(const String& text);
    // Stored as "Cmd+N": the command key (Ctrl on Linux and Windows) and a key.
    String KeyboardShortcut() const { return shortcut_; }
    void SetKeyboardShortcut(const String& shortcut);
    bool Enabled() const;
    void SetEnabled(bool on);
    bool Checked() const;
    void SetChecked(bool on);
    bool IsSeparator() const { return text_ == "-"; }

    void Append(MenuItemPtr item);
    int Count() const { return static_cast<int>(children_.size()); }
    MenuItemPtr Item(int index) const;
    // The direct child of that name, or Nil.
    MenuItemPtr Child(const String& name) const;
    // The entry of that name at any depth below this one, or Nil.
    MenuItemPtr _Lookup(const String& name) const;

protected:
    // The action behind the item.
    QAction* Action() const { return action_; }

private:
    friend struct internal::QtAccess;

    String name_;
    bool autoEnable_ = true;
    String text_;
    String shortcut_;
    QAction* action_;
    std::vector<MenuItemPtr> children_;
};

class MenuBar : public MenuItem {};

// The framework carries out Quit itself, and places Quit and About where the
// platform keeps them.
class QuitMenuItem : public MenuItem {
public:
    QuitMenuItem();
};

class AppleMenuItem : public MenuItem {
public:
    AppleMenuItem();
};

}  // namespace fw
