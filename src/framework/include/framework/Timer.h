#pragma once

// A timer: Action is raised Period milliseconds after the timer is switched
// on, once (mode 1) or again and again (mode 2); mode 0 switches it off. A
// single firing switches the timer off. A timer placed on a window is one of
// its controls, found by name like the others and gone with the window; it
// shows nothing and takes no input.

#include "framework/RectControl.h"

#include <functional>

class QTimer;

namespace fw {

class Timer : public RectControl {
public:
    enum { ModeOff = 0, ModeSingle = 1, ModeMultiple = 2 };

    Timer();

    int Mode() const { return mode_; }
    // Switching the timer on (again) starts a new period.
    void SetMode(int mode);
    int Period() const { return period_; }
    // A running timer starts its new period at once.
    void SetPeriod(int milliseconds);
    // Starts the period over, as if it had just been switched on.
    void Reset();

    std::function<void()> Action;

private:
    friend struct internal::QtAccess;
    QTimer* QtTimer() const { return timer_; }
    void Fire();

    QTimer* timer_;
    int mode_ = ModeOff;
    int period_ = 1000;
};

}  // namespace fw
