#include "framework/PushButton.h"

#include "framework/QtAccess.h"
#include "framework/QtBridge.h"
#include "framework/Runtime.h"

#include <QPushButton>
#include <QShortcut>

namespace fw {

namespace {

// Two buttons of a window may answer the same key (a sheet with two cancel
// buttons): Qt then fires neither, so the first of them in the window's
// order is pushed.
void PushFirstAnswering(const QShortcut* pressed) {
    QWidget* window = qobject_cast<QWidget*>(pressed->parent())->window();
    for (QShortcut* shortcut : window->findChildren<QShortcut*>()) {
        if (!shortcut->isEnabled() || shortcut->key() != pressed->key()) continue;
        auto* button = qobject_cast<QPushButton*>(shortcut->parent());
        if (!button || !button->isEnabled() || !button->isVisible()) continue;
        if (auto* control = dynamic_cast<PushButton*>(internal::QtAccess::ControlOf(button))) {
            control->Push();
            return;
        }
    }
}

}  // namespace

PushButton::PushButton() : RectControl(new QPushButton()), button_(static_cast<QPushButton*>(Widget())) {
    button_->setAutoDefault(false);
    // Our windows are no dialogs, so the default and cancel keys are ours to wire.
    auto key = [this](Qt::Key k) {
        auto* shortcut = new QShortcut(QKeySequence(k), button_, [this] { Push(); });
        shortcut->setContext(Qt::WindowShortcut);
        shortcut->setEnabled(false);
        QObject::connect(shortcut, &QShortcut::activatedAmbiguously, shortcut,
                         [shortcut] { PushFirstAnswering(shortcut); });
        return shortcut;
    };
    returnKey_ = key(Qt::Key_Return);
    enterKey_ = key(Qt::Key_Enter);
    escapeKey_ = key(Qt::Key_Escape);
    button_->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(button_, &QPushButton::clicked, Context(), [this] {
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
