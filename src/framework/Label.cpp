#include "framework/Label.h"

#include "framework/QtBridge.h"

#include <QLabel>

namespace fw {

Label::Label() : RectControl(new QLabel()), label_(static_cast<QLabel*>(Widget())) {
    label_->setTextFormat(Qt::PlainText);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Filling its box with the window colour would wipe out the siblings
    // beneath it; the window's own background is drawn by the window.
    label_->setAutoFillBackground(false);
}

void Label::SetText(const String& text) {
    text_ = text;
    label_->setText(ToDisplayText(text));
}

void Label::SetTextColor(Color color) { SetPaletteColor(label_, QPalette::WindowText, color); }

void Label::SetTextAlign(int align) {
    const Qt::Alignment horizontal = HorizontalAlignment(align);
    label_->setAlignment(horizontal | (label_->wordWrap() ? Qt::AlignTop : Qt::AlignVCenter));
}

void Label::SetMultiline(bool on) {
    label_->setWordWrap(on);
    const Qt::Alignment horizontal = label_->alignment() & Qt::AlignHorizontal_Mask;
    label_->setAlignment(horizontal | (on ? Qt::AlignTop : Qt::AlignVCenter));
}

void Label::SetSelectable(bool on) {
    label_->setTextInteractionFlags(on ? Qt::TextSelectableByMouse : Qt::NoTextInteraction);
}

void Label::SetTransparent(bool) {}

}  // namespace fw
