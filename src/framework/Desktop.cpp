// What a desktop expects of the program besides its windows: its name and
// icon, the keyboard's way into the menu bar, and which control counts as
// focused while the user is in the menus.

#include "framework/FolderItem.h"
#include "framework/Internal.h"
#include "framework/QtAccess.h"
#include "framework/QtBridge.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

namespace fw::internal {

namespace {

// The widget that last took the keyboard focus outside the menus.
QPointer<QWidget>& LastFocus() {
    static QPointer<QWidget> widget;
    return widget;
}

bool IsMenu(const QWidget* widget) {
    return qobject_cast<const QMenuBar*>(widget) || qobject_cast<const QMenu*>(widget);
}

// The window's icon: icon72 of the Resources folder, cut out by its mask.
QIcon ProgramIcon() {
    const FolderItemPtr resources = _GetApplicationBundleResources();
    if (!resources) return {};
    QImage icon(ToQString(resources->Child("icon72.png")->NativePath()));
    if (icon.isNull()) return {};
    QImage mask(ToQString(resources->Child("iconMask72.png")->NativePath()));
    if (mask.size() == icon.size()) {
        // The mask is black where the icon shows; alpha is the opposite.
        mask = mask.convertToFormat(QImage::Format_Grayscale8);
        mask.invertPixels();
        icon = icon.convertToFormat(QImage::Format_ARGB32);
        icon.setAlphaChannel(mask);
    }
    return QIcon(QPixmap::fromImage(icon));
}

// F10 opens the front window's first menu, as in other Linux desktop
// programs; Qt's menu bar offers it only under the Windows style.
class DesktopKeys : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::NoModifier && OpenFirstMenu()) return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static bool OpenFirstMenu() {
        if (QApplication::activePopupWidget()) return false;
        auto* window = qobject_cast<QMainWindow*>(QApplication::activeWindow());
        QMenuBar* bar = window ? window->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
        if (!bar || bar->actions().isEmpty()) return false;
        bar->setActiveAction(bar->actions().first());
        return true;
    }
};

}  // namespace

void SetUpDesktop() {
    // The name comes from the build; the desktop entry and icon are installed
    // under its lower-case form.
    QApplication::setApplicationName(QStringLiteral(CHARVELLA_NAME));
    QGuiApplication::setDesktopFileName(QStringLiteral(CHARVELLA_NAME).toLower());
    QApplication::setWindowIcon(ProgramIcon());
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget*, QWidget* now) {
        if (!IsMenu(now)) LastFocus() = now;
    });
    qApp->installEventFilter(new DesktopKeys(qApp));
}

RectControl* FocusedControl() {
    QWidget* focus = QApplication::focusWidget();
    // The menu bar takes the focus while the user moves through the menus by
    // keys or by hovering; the control the menus act on is the one before.
    if (IsMenu(focus)) focus = LastFocus();
    return QtAccess::ControlOf(focus);
}

}  // namespace fw::internal
