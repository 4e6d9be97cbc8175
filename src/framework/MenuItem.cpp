#include "framework/MenuItem.h"

#include "framework/Application.h"
#include "framework/Internal.h"
#include "framework/QtAccess.h"
#include "framework/QtBridge.h"
#include "framework/RectControl.h"
#include "framework/Runtime.h"

#include <QAction>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace fw {

namespace {

void ForEachItem(const MenuItem& parent, const std::function<void(MenuItem&)>& fn) {
    for (int i = 0; i < parent.Count(); ++i) {
        MenuItem& item = *parent.Item(i);
        fn(item);
        ForEachItem(item, fn);
    }
}

// Runs the command of an item: the focused control's handler first, then
// the framework's own editing commands, then the application's handler.
void Dispatch(MenuItem* item) {
    if (dynamic_cast<QuitMenuItem*>(item)) {
        Quit(0);
        return;
    }
    const String name = item->Name();
    if (RectControl* control = internal::FocusedControl()) {
        if (const auto* handler = control->MenuHandler(name); handler && (*handler)()) return;
        if (control->HandleStandardMenuItem(name)) return;
    }
    if (Application* app = _GetAppObject())
        if (const auto* handler = app->MenuHandler(name)) (*handler)();
}

QKeySequence ToKeySequence(const String& shortcut) {
    QString text = ToQString(shortcut);
    if (text.isEmpty()) return {};
    if (!text.contains('+')) text.prepend("Cmd+");
    // Qt's Ctrl is the command key on macOS and the control key elsewhere.
    text.replace("Cmd", "Ctrl", Qt::CaseInsensitive);
    return QKeySequence(text, QKeySequence::PortableText);
}

}  // namespace

MenuItem::MenuItem() : action_(new QAction()) {
    action_->setMenuRole(QAction::NoRole);
    QObject::connect(action_, &QAction::triggered, [this] { RaiseEvent([this] { Dispatch(this); }); });
}

MenuItem::~MenuItem() { delete action_; }

void MenuItem::SetText(const String& text) {
    text_ = text;
    QString shown = ToQString(text);
    action_->setText(shown.replace('&', "&&"));
    action_->setSeparator(IsSeparator());
}

void MenuItem::SetKeyboardShortcut(const String& shortcut) {
    shortcut_ = shortcut;
    action_->setShortcut(ToKeySequence(shortcut));
}

bool MenuItem::Enabled() const { return action_->isEnabled(); }
void MenuItem::SetEnabled(bool on) { action_->setEnabled(on); }
bool MenuItem::Checked() const { return action_->isChecked(); }

void MenuItem::SetChecked(bool on) {
    action_->setCheckable(true);
    action_->setChecked(on);
}

void MenuItem::Append(MenuItemPtr item) { children_.push_back(std::move(item)); }

MenuItemPtr MenuItem::Item(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return children_[static_cast<size_t>(index)];
}

MenuItemPtr MenuItem::Child(const String& name) const {
    for (const MenuItemPtr& child : children_)
        if (child->Name() == name) return child;
    return nullptr;
}

MenuItemPtr MenuItem::_Lookup(const String& name) const {
    for (const MenuItemPtr& child : children_) {
        if (child->Name() == name) return child;
        if (MenuItemPtr found = child->_Lookup(name)) return found;
    }
    return nullptr;
}

QuitMenuItem::QuitMenuItem() { Action()->setMenuRole(QAction::QuitRole); }

AppleMenuItem::AppleMenuItem() { Action()->setMenuRole(QAction::AboutRole); }

namespace internal {

void PrepareMenus() {
    Application* app = _GetAppObject();
    if (!app || !app->MenuBar()) return;
    ForEachItem(*app->MenuBar(), [](MenuItem& item) { item.SetEnabled(item.AutoEnable()); });
    RaiseEvent([app] { app->Event_EnableMenuItems(); });
    if (RectControl* control = FocusedControl()) {
        RaiseEvent([control] { control->EnableStandardMenuItems(); });
        RaiseEvent([control] { control->Event_EnableMenuItems(); });
    }
}

bool IsMenuShortcut(const QKeyEvent* event) {
    Application* app = _GetAppObject();
    if (!app || !app->MenuBar() || event->key() == Qt::Key_unknown) return false;
    const QKeySequence pressed(event->keyCombination());
    bool found = false;
    ForEachItem(*app->MenuBar(), [&](MenuItem& item) {
        const QKeySequence shortcut = QtAccess::Action(&item)->shortcut();
        if (!shortcut.isEmpty() && shortcut == pressed) found = true;
    });
    return found;
}

void InstallMenuBar(QWidget* window) {
    auto* mainWindow = qobject_cast<QMainWindow*>(window);
    Application* app = _GetAppObject();
    if (!mainWindow || !app || !app->MenuBar()) return;
    auto* bar = new QMenuBar(mainWindow);
    const MenuBar& model = *app->MenuBar();
    for (int i = 0; i < model.Count(); ++i) {
        const MenuItem& menuItem = *model.Item(i);
        QMenu* menu = bar->addMenu(ToQString(menuItem.Text()));
        QObject::connect(menu, &QMenu::aboutToShow, [] { PrepareMenus(); });
        for (int j = 0; j < menuItem.Count(); ++j) menu->addAction(QtAccess::Action(menuItem.Item(j).get()));
    }
    mainWindow->setMenuBar(bar);
}

}  // namespace internal

}  // namespace fw
