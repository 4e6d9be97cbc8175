// Starts the program as a real run does, opens the About box from the
// converter window's icon and saves a picture of the box (menu bar included)
// to the path given as the first argument.

#include "Dialog1.h"
#include "Startup.h"
#include "Window1.h"
#include "framework/Runtime.h"
#include "framework/Testing.h"

#include "framework/QtAccess.h"

#include <QApplication>
#include <QMainWindow>
#include <QPixmap>
#include <QTest>
#include <QWindow>

#include <cstdio>

using fw::internal::QtAccess;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: screenshot_about OUTPUT.png\n");
        return 2;
    }
    fw::RuntimeInit(argc, argv);
    // Test mode makes the event loop return once start-up is done.
    fw::testing::EnableTestMode();
    _Main();

    Window1* converter = Window1::Instance();
    if (!QTest::qWaitForWindowExposed(QtAccess::Window(converter)->windowHandle())) return 1;
    QTest::mouseClick(QtAccess::Widget(converter->aboutButtonCanvas()), Qt::LeftButton, {}, QPoint(30, 30));
    Dialog1* box = Dialog1::Instance();
    if (!QTest::qWaitForWindowExposed(QtAccess::Window(box)->windowHandle())) return 1;
    QTest::qWait(200);

    const bool saved = QtAccess::Window(box)->grab().save(QString::fromLocal8Bit(argv[1]));
    _ReleaseModuleGlobals();
    fw::RuntimeExit();
    return saved ? 0 : 1;
}
