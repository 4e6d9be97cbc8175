// Starts the program as a real run does, presses "A" in the converter
// window's character field and saves a picture of the window (menu bar
// included) to the path given as the first argument.

#include "app/Startup.h"
#include "codes/Window1.h"
#include "framework/Runtime.h"
#include "framework/Testing.h"

#include "framework/QtAccess.h"

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QPixmap>
#include <QTest>
#include <QWindow>

#include <cstdio>

using fw::internal::QtAccess;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: screenshot OUTPUT.png\n");
        return 2;
    }
    fw::RuntimeInit(argc, argv);
    // Test mode makes the event loop return once start-up is done.
    fw::testing::EnableTestMode();
    _Main();

    Window1* window = Window1::Instance();
    QWindow* handle = QtAccess::Window(window)->windowHandle();
    if (!QTest::qWaitForWindowExposed(handle)) return 1;
    window->outputChar()->SetFocus();
    QTest::keyClick(handle, 'A');
    QTest::qWait(200);

    const bool saved = QtAccess::Window(window)->grab().save(QString::fromLocal8Bit(argv[1]));
    _ReleaseModuleGlobals();
    fw::RuntimeExit();
    return saved ? 0 : 1;
}
