#include "framework/MenuItem.h"

#include "framework/Application.h"
#include "framework/Internal.h"
#include "framework/Keys.h"
#include "framework/QtAccess.h"
#include "framework/QtBridge.h"
#include "framework/RectControl.h"
#include "framework/Runtime.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

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

// Copies the item's state onto the action a window shows for it.
void Follow(const QAction* item, QAction* shown) {
    shown->setSeparator(item->isSeparator());
    shown->setText(item->text());
    shown->setShortcut(item->shortcut());
    shown->setMenuRole(item->menuRole());
    shown->setCheckable(item->isCheckable());
    shown->setChecked(item->isChecked());
    shown->setEnabled(item->isEnabled());
}

// The action a window's menu shows for an item: its own, so that each menu
// bar keeps its own accessible objects (one shared by several windows loses
// them with the first window that goes), kept in step with the item's.
QAction* ShownAction(QAction* item, QWidget* menu) {
    auto* shown = new QAction(menu);
    Follow(item, shown);
    QObject::connect(item, &QAction::changed, shown, [item, shown] { Follow(item, shown); });
    QObject::connect(shown, &QAction::triggered, item, [item, shown = QPointer<QAction>(shown)] {
        item->trigger();
        // A checkable action has toggled itself; the item decides. The
        // command may have closed the window and its menus with it.
        if (shown) Follow(item, shown);
    });
    return shown;
}

// A menu title with a mnemonic (Alt+letter opens the menu): its first letter
// that no earlier title of the bar has taken.
QString MnemonicTitle(QString title, QString& used) {
    title.replace('&', "&&");
    for (qsizetype i = 0; i < title.size(); ++i) {
        const QChar c = title.at(i).toLower();
        if (!c.isLetterOrNumber() || used.contains(c)) continue;
        used.append(c);
        return title.insert(i, '&');
    }
    return title;
}

class MenuKeys : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool toControl = watched->isWidgetType() && internal::QtAccess::ControlOf(static_cast<QWidget*>(watched));
        if (event->type() == QEvent::ShortcutOverride) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (!internal::IsMenuShortcut(key)) return false;
            RaiseEvent([] { internal::PrepareMenus(); });
            if (!toControl) return false;
            key->ignore();  // the shortcut map, not the control, takes it
            return true;
        }
        if (event->type() == QEvent::KeyPress && toControl) {
            // What reaches a control here is a disabled item's shortcut, or
            // an Alt chord that is no menu's mnemonic: it does nothing.
            auto* key = static_cast<QKeyEvent*>(event);
            if (!internal::IsMenuShortcut(key) && !internal::IsMenuChord(key)) return false;
            key->ignore();
            return true;
        }
        return false;
    }
};

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
    // A separator carries no text: styles draw a separator's text as a
    // section title, which for "-" is a stray dash at its left end.
    QString shown = IsSeparator() ? QString() : ToQString(text);
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

void InstallMenuKeys() { qApp->installEventFilter(new MenuKeys(qApp)); }

void InstallMenuBar(QWidget* window) {
    auto* mainWindow = qobject_cast<QMainWindow*>(window);
    Application* app = _GetAppObject();
    if (!mainWindow || !app || !app->MenuBar()) return;
    auto* bar = new QMenuBar(mainWindow);
    const MenuBar& model = *app->MenuBar();
    QString usedMnemonics;
    for (int i = 0; i < model.Count(); ++i) {
        const MenuItem& menuItem = *model.Item(i);
        QMenu* menu = bar->addMenu(MnemonicTitle(ToQString(menuItem.Text()), usedMnemonics));
        QObject::connect(menu, &QMenu::aboutToShow, [] { PrepareMenus(); });
        for (int j = 0; j < menuItem.Count(); ++j)
            menu->addAction(ShownAction(QtAccess::Action(menuItem.Item(j).get()), menu));
    }
    mainWindow->setMenuBar(bar);
}

void InstallMenuKeysOn(QWidget* sheet) {
    Application* app = _GetAppObject();
    if (!app || !app->MenuBar()) return;
    ForEachItem(*app->MenuBar(), [sheet](MenuItem& item) {
        QAction* action = QtAccess::Action(&item);
        if (!action->shortcut().isEmpty()) sheet->addAction(ShownAction(action, sheet));
    });
}

}  // namespace internal

}  // namespace fw
