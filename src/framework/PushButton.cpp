#include "framework/PushButton.h"

#include "framework/QtBridge.h"
#include "framework/Runtime.h"

#include <QPushButton>
#include <QShortcut>

namespace fw {

PushButton::PushButton() : RectControl(new QPushButton()), button_(static_cast<QPushButton*>(Widget())) {
    button_->setAutoDefault(false);
    button_->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(button_, &QPushButton::clicked, [this] {
        if (Action) RaiseEvent(Action);
    });
}

String PushButton::Caption() const { return FromQString(button_->text()); }
void PushButton::SetCaption(const String& caption) { button_->setText(ToQString(caption).replace('&', "&&")); }

void PushButton::SetDefault(bool on) {
    button_->setDefault(on);
    if (on) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::Key_Return), button_, [this] { Push(); });
        shortcut->setContext(Qt::WindowShortcut);
        auto* enter = new QShortcut(QKeySequence(Qt::Key_Enter), button_, [this] { Push(); });
        enter->setContext(Qt::WindowShortcut);
    }
}

void PushButton::SetCancel(bool on) {
    if (!on) return;
    auto* shortcut = new QShortcut(QKeySequence(Qt::Key_Escape), button_, [this] { Push(); });
    shortcut->setContext(Qt::WindowShortcut);
}

void PushButton::Push() {
    if (button_->isEnabled() && button_->isVisible()) button_->click();
}

}  // namespace fw
