#include "framework/PushButton.h"

#include "framework/QtBridge.h"
#include "framework/Runtime.h"

#include <QPushButton>
#include <QShortcut>

namespace fw {

PushButton::PushButton() : RectControl(new QPushButton()), button_(static_cast<QPushButton*>(Widget())) {
    button_->setAutoDefault(false);
    // Our windows are no dialogs, so the default and cancel keys are ours to wire.
    auto key = [this](Qt::Key k) {
        auto* shortcut = new QShortcut(QKeySequence(k), button_, [this] { Push(); });
        shortcut->setContext(Qt::WindowShortcut);
        shortcut->setEnabled(false);
        return shortcut;
    };
    returnKey_ = key(Qt::Key_Return);
    enterKey_ = key(Qt::Key_Enter);
    escapeKey_ = key(Qt::Key_Escape);
    button_->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(button_, &QPushButton::clicked, [this] {
        if (Action) RaiseEvent(Action);
    });
}

String PushButton::Caption() const { return FromQString(button_->text()); }
void PushButton::SetCaption(const String& caption) { button_->setText(ToQString(caption).replace('&', "&&")); }

void PushButton::SetDefault(bool on) {
    button_->setDefault(on);
    returnKey_->setEnabled(on);
    enterKey_->setEnabled(on);
}

void PushButton::SetCancel(bool on) { escapeKey_->setEnabled(on); }

void PushButton::Push() {
    if (button_->isEnabled() && button_->isVisible()) button_->click();
}

}  // namespace fw
