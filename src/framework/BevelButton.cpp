#include "framework/BevelButton.h"

#include "framework/QtBridge.h"
#include "framework/Runtime.h"

#include <QPushButton>

namespace fw {

BevelButton::BevelButton() : RectControl(new QPushButton()), button_(static_cast<QPushButton*>(Widget())) {
    button_->setAutoDefault(false);
    button_->setFocusPolicy(Qt::NoFocus);
    QObject::connect(button_, &QPushButton::clicked, Context(), [this] {
        if (Action) RaiseEvent(Action);
    });
}

void BevelButton::SetCaption(const String& caption) {
    caption_ = caption;
    button_->setText(ToQString(caption).replace('&', "&&"));
}

void BevelButton::Push() {
    if (button_->isEnabled() && button_->isVisible()) button_->click();
}

}  // namespace fw
