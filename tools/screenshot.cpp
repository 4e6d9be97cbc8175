// Starts the program as a real run does, presses "A" in the converter
// window's character field and saves a picture of the window (menu bar
// included) to the path given as the first argument. With "menu" as the
// second argument it types 65 into the decimal field instead and saves the
// window with its Edit menu open, as the screen shows them.

#include "Startup.h"
#include "Window1.h"
#include "framework/Runtime.h"
#include "framework/Testing.h"

#include "framework/QtAccess.h"

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <cstdio>

using fw::internal::QtAccess;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: screenshot OUTPUT.png [menu]\n");
        return 2;
    }
    fw::RuntimeInit(argc, argv);
    // Test mode makes the event loop return once start-up is done.
    fw::testing::EnableTestMode();
    _Main();

    Window1* window = Window1::Instance();
    QWindow* handle = QtAccess::Window(window)->windowHandle();
    if (!QTest::qWaitForWindowExposed(handle)) return 1;
    const bool menu = argc > 2 && QByteArray(argv[2]) == "menu";
    if (menu) {
        window->outputDec()->SetFocus();
        QTest::keyClick(handle, '6');
        QTest::keyClick(handle, '5');
        QTest::keyClick(handle, Qt::Key_E, Qt::AltModifier);
    } else {
        window->outputChar()->SetFocus();
        QTest::keyClick(handle, 'A');
    }
    QTest::qWait(200);

    QImage picture = QtAccess::Window(window)->grab().toImage();
    if (menu) {
        QWidget* open = QApplication::activePopupWidget();
        if (!open) return 1;
        const QRect area = QtAccess::Window(window)->frameGeometry().united(open->frameGeometry());
        picture = QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                      .toImage();
    }
    const bool saved = picture.save(QString::fromLocal8Bit(argv[1]));
    _ReleaseModuleGlobals();
    fw::RuntimeExit();
    return saved ? 0 : 1;
}
