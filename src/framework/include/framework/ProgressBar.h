#pragma once

// A progress bar. With Maximum 0 it shows activity without a fraction (an
// indeterminate bar), moving whenever the event loop or a loop's yield runs.

#include "framework/RectControl.h"

class QProgressBar;

namespace fw {

class ProgressBar : public RectControl {
public:
    ProgressBar();
    int Value() const { return value_; }
    void SetValue(int value);
    int Maximum() const { return maximum_; }
    void SetMaximum(int maximum);

private:
    void Apply();
    QProgressBar* bar_;
    int value_ = 0;
    int maximum_ = 100;
};

}  // namespace fw
