#pragma once

// Starts the program as a real run does — start-up, then the Open event with
// the converter window — with the framework in test mode, and gives tests
// the means to drive the front window with real key presses and clicks.

#include "Charvella.h"
#include "Startup.h"
#include "Window1.h"
#include "framework/Application.h"
#include "framework/MenuItem.h"
#include "framework/Testing.h"
#include "framework/Window.h"

#include "framework/QtAccess.h"

#include "TestWindows.h"

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using fw::internal::QtAccess;

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        fw::testing::SetSystemVersion(0x1040);
        _Main();
        fw::testing::TakeTrace();
        fw::testing::TakeMessageBoxes();
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
    static bool HasFocus(const fw::TextField* field) { return QApplication::focusWidget() == QtAccess::Edit(field); }
    static std::string TextOf(fw::TextField* field) { return field->Text().ToUTF8(); }
    static std::string TextOf(fw::Label* label) { return label->Text().ToUTF8(); }

    template <class W>
    static int Count() {
        int n = 0;
        for (int i = 0; i < fw::WindowCount(); ++i) n += dynamic_cast<W*>(fw::WindowAt(i)) != nullptr;
        return n;
    }

    // The enabled items of all menus, in menu order: either Quit and the
    // editing items, which the framework enables for the focused field, or
    // the rest, which the program's windows enable.
    static std::vector<std::string> EnabledItems(bool editing) {
        static const std::vector<std::string> kEditing = {"FileQuit",  "EditUndo",  "EditCut",      "EditCopy",
                                                          "EditPaste", "EditClear", "EditSelectAll"};
        std::vector<std::string> names;
        const fw::MenuBar& bar = *App()->MenuBar();
        for (int i = 0; i < bar.Count(); ++i)
            for (int j = 0; j < bar.Item(i)->Count(); ++j) {
                const fw::MenuItem& item = *bar.Item(i)->Item(j);
                const std::string name = item.Name().ToUTF8();
                if (item.Enabled() && (std::find(kEditing.begin(), kEditing.end(), name) != kEditing.end()) == editing)
                    names.push_back(name);
            }
        return names;
    }
};
