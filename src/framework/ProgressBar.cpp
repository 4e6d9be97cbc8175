#include "framework/ProgressBar.h"

#include <QProgressBar>

namespace fw {

ProgressBar::ProgressBar() : RectControl(new QProgressBar()), bar_(static_cast<QProgressBar*>(Widget())) {
    bar_->setTextVisible(false);
    bar_->setFocusPolicy(Qt::NoFocus);
    Apply();
}

void ProgressBar::SetValue(int value) {
    value_ = value;
    Apply();
}

void ProgressBar::SetMaximum(int maximum) {
    maximum_ = maximum;
    Apply();
}

void ProgressBar::Apply() {
    // Qt's busy indicator is a range of 0 to 0.
    bar_->setRange(0, std::max(maximum_, 0));
    if (maximum_ > 0) bar_->setValue(std::clamp(value_, 0, maximum_));
}

}  // namespace fw
