#include "framework/StandardEditing.h"

#include "framework/Application.h"
#include "framework/MenuItem.h"

#include <QClipboard>
#include <QGuiApplication>

namespace fw::internal {

namespace {
void Enable(const MenuBar& bar, const char* name, bool on) {
    if (!on) return;
    if (MenuItemPtr item = bar._Lookup(name)) item->SetEnabled(true);
}
}  // namespace

void EnableStandardEditItems(bool undo, bool cut, bool copy, bool paste, bool clear) {
    Application* app = _GetAppObject();
    if (!app || !app->MenuBar()) return;
    const MenuBar& bar = *app->MenuBar();
    Enable(bar, "EditUndo", undo);
    Enable(bar, "EditCut", cut);
    Enable(bar, "EditCopy", copy);
    Enable(bar, "EditPaste", paste && !QGuiApplication::clipboard()->text().isEmpty());
    Enable(bar, "EditClear", clear);
}

bool RunStandardEditItem(const String& itemName, const EditActions& actions) {
    const std::pair<const char*, const std::function<void()>*> items[] = {
        {"EditUndo", &actions.undo}, {"EditCut", &actions.cut},     {"EditCopy", &actions.copy},
        {"EditPaste", &actions.paste}, {"EditClear", &actions.clear}};
    for (const auto& [name, action] : items) {
        if (itemName == name) {
            // A control without the action has the item disabled; a shortcut
            // cannot reach it then, but nothing else may fail either.
            if (*action) (*action)();
            return true;
        }
    }
    return false;
}

}  // namespace fw::internal
