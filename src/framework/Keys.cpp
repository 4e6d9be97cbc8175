#include "framework/Keys.h"

#include "framework/QtBridge.h"

#include <QKeyEvent>

namespace fw::internal {

namespace {

int SpecialKeyCode(int key) {
    switch (key) {
        case Qt::Key_Left: return 28;
        case Qt::Key_Right: return 29;
        case Qt::Key_Up: return 30;
        case Qt::Key_Down: return 31;
        case Qt::Key_Return: return 13;
        case Qt::Key_Enter: return 3;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return 9;
        case Qt::Key_Backspace: return 8;
        case Qt::Key_Escape: return 27;
        case Qt::Key_Delete: return 127;
        case Qt::Key_Home: return 1;
        case Qt::Key_End: return 4;
        case Qt::Key_PageUp: return 11;
        case Qt::Key_PageDown: return 12;
        case Qt::Key_Help: return 5;
        default: return -1;
    }
}

}  // namespace

String KeyText(const QKeyEvent* event) {
    if (int code = SpecialKeyCode(event->key()); code >= 0) return Chr(code);
    const QString text = event->text();
    if (text.isEmpty()) return String();
    // One character: a surrogate pair stays whole.
    const int length = text.at(0).isHighSurrogate() && text.size() > 1 ? 2 : 1;
    return FromQString(text.left(length));
}

bool IsMenuChord(const QKeyEvent* event) {
#ifdef Q_OS_MACOS
    // Option types characters there, and menus have no mnemonics.
    (void)event;
    return false;
#else
    return (event->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) != 0;
#endif
}

}  // namespace fw::internal
