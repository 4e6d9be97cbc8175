#include "framework/Timer.h"

#include "framework/Runtime.h"

#include <QTimer>
#include <QWidget>

namespace fw {

namespace {

// Stands in the window's content area without covering anything.
QWidget* InvisibleWidget() {
    auto* widget = new QWidget();
    widget->setFixedSize(0, 0);
    widget->setAttribute(Qt::WA_TransparentForMouseEvents);
    widget->setFocusPolicy(Qt::NoFocus);
    return widget;
}

}  // namespace

// The QTimer is a child of the control's widget, so it goes when the control does.
Timer::Timer() : RectControl(InvisibleWidget()), timer_(new QTimer(Widget())) {
    timer_->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer_, &QTimer::timeout, Context(), [this] { Fire(); });
}

void Timer::SetMode(int mode) {
    mode_ = mode == ModeSingle || mode == ModeMultiple ? mode : ModeOff;
    Reset();
}

void Timer::SetPeriod(int milliseconds) {
    period_ = milliseconds < 1 ? 1 : milliseconds;
    if (timer_->isActive()) Reset();
}

void Timer::Reset() {
    timer_->stop();
    if (mode_ == ModeOff) return;
    timer_->setSingleShot(mode_ == ModeSingle);
    timer_->start(period_);
}

void Timer::Fire() {
    if (mode_ == ModeSingle) mode_ = ModeOff;
    if (Action) RaiseEvent(Action);
}

}  // namespace fw
