#pragma once

// Starts the program as a real run does — start-up, then the Open event with
// the converter window — with the framework in test mode, and gives tests
// the means to drive the front window with real key presses and clicks.

#include "app/Charvella.h"
#include "app/Startup.h"
#include "codes/Window1.h"
#include "framework/Application.h"
#include "framework/Testing.h"
#include "framework/Window.h"

#include "framework/QtAccess.h"

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

using fw::internal::QtAccess;

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        fw::testing::SetSystemVersion(0x1040);
        _Main();
        fw::testing::TakeTrace();
        fw::testing::TakeMessageBoxes();
    }

    // Each test starts the program afresh, also when all run in one process.
    void TearDown() override {
        _ReleaseModuleGlobals();
        fw::_RuntimeReleaseAppObject();
        fw::testing::ProcessEvents();
    }

    Window1* Converter() {
        Window1* window = Window1::Instance();
        EXPECT_TRUE(QTest::qWaitForWindowActive(QtAccess::Window(window)->windowHandle()));
        return window;
    }

    // Focuses a field as a user would, by clicking into it.
    static void ClickInto(fw::TextField* field) {
        QTest::mouseClick(QtAccess::Edit(field), Qt::LeftButton, {}, QPoint(5, 5));
    }

    // Keys go to the window, so they reach whatever has the focus there.
    static void Press(fw::Window* window, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QtAccess::Window(window)->windowHandle(), key, modifiers);
    }
    static void Type(fw::Window* window, const char* text) {
        for (const char* c = text; *c; ++c) QTest::keyClick(QtAccess::Window(window)->windowHandle(), *c);
    }
    // Sends one key with the text it types (empty for keys that type none).
    static void Press(fw::Window* window, Qt::Key key, const QString& text) {
        QTest::sendKeyEvent(QTest::Click, QtAccess::Window(window)->windowHandle(), key, text, Qt::NoModifier);
    }
    // A click at a point of a window's content area, as the window gets it.
    static void ClickAt(fw::Window* window, int x, int y) {
        QMainWindow* frame = QtAccess::Window(window);
        QTest::mouseClick(frame->windowHandle(), Qt::LeftButton, {},
                          QtAccess::Content(window)->mapTo(frame, QPoint(x, y)));
    }
    static bool HasFocus(const fw::TextField* field) { return QApplication::focusWidget() == QtAccess::Edit(field); }
    static std::string TextOf(fw::TextField* field) { return field->Text().ToUTF8(); }
    static std::string TextOf(fw::Label* label) { return label->Text().ToUTF8(); }
};
