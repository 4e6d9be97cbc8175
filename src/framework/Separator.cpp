#include "framework/Separator.h"

#include <QFrame>

namespace fw {

Separator::Separator() : RectControl(new QFrame()), frame_(static_cast<QFrame*>(Widget())) {
    frame_->setFrameShape(QFrame::HLine);
    frame_->setFrameShadow(QFrame::Sunken);
    frame_->setFocusPolicy(Qt::NoFocus);
}

void Separator::SetBounds(int left, int top, int width, int height) {
    frame_->setFrameShape(height > width ? QFrame::VLine : QFrame::HLine);
    RectControl::SetBounds(left, top, width, height);
}

}  // namespace fw
