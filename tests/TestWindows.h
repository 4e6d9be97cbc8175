#pragma once

// Small windows of the tests' own, built from a design and the controls a
// test asks for, and the means to activate them and click on them.

#include "framework/Window.h"

#include "framework/QtAccess.h"
#include "framework/WindowSystemInput.h"

#include <QImage>
#include <QMainWindow>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

class TestWindow : public fw::Window {
public:
    using Controls = std::function<void(TestWindow&)>;
    TestWindow(const fw::WindowDesign& design, Controls controls) : design_(design), controls_(std::move(controls)) {}
    using Window::AddControl;
    std::function<void()> resized;

protected:
    void Layout() override { ApplyDesign(design_); }
    void CreateControls() override {
        if (controls_) controls_(*this);
    }
    void Event_Resized() override {
        if (resized) resized();
    }

private:
    fw::WindowDesign design_;
    Controls controls_;
};

// Opens a document window, or constructs a sheet (frame 8), which stays
// hidden until it is shown within its parent.
inline TestWindow* OpenTestWindow(const char* title, int width, int height, TestWindow::Controls controls = {},
                                  bool sheet = false) {
    fw::WindowDesign design;
    design.title = title;
    design.width = width;
    design.height = height;
    design.frame = sheet ? 8 : 0;
    design.visible = !sheet;
    auto* window = new TestWindow(design, std::move(controls));
    window->Construct();
    return window;
}

inline void Activate(fw::Window* window) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(fw::internal::QtAccess::Window(window)->windowHandle()));
}

// A click at a point of a window's content area, as the window gets it.
inline void ClickAt(fw::Window* window, int x, int y) {
    using fw::internal::QtAccess;
    QMainWindow* frame = QtAccess::Window(window);
    QTest::mouseClick(frame->windowHandle(), Qt::LeftButton, {}, QtAccess::Content(window)->mapTo(frame, QPoint(x, y)));
}

// How many pixels of a picture within r (colours as 0xRRGGBB) satisfy is.
template <class Is>
int PixelsWhere(const QImage& picture, const QRect& r, Is is) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += is(picture.pixel(x, y) & 0xFFFFFF);
    return n;
}

