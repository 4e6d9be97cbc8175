// Starts the program as a real run does, clicks the converter window's
// "Table" button and saves two pictures of the code table: as it opens
// (MacRoman), and with MacJapanese chosen, widened and scrolled to the
// half-width katakana at 0xA1. The output folder is the first argument.

#include "Startup.h"
#include "Window1.h"
#include "framework/Runtime.h"
#include "framework/Testing.h"
#include "tableWindow.h"

#include "framework/QtAccess.h"

#include <QApplication>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <cstdio>

using fw::internal::QtAccess;

namespace {

bool Save(fw::Window* window, const QString& path) {
    QTest::qWait(300);
    const bool saved = QtAccess::Window(window)->grab().save(path);
    if (saved) std::printf("wrote %s\n", qPrintable(path));
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: screenshot_table OUTPUT_FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    fw::RuntimeInit(argc, argv);
    // Test mode makes the event loop return once start-up is done.
    fw::testing::EnableTestMode();
    _Main();

    Window1* converter = Window1::Instance();
    if (!QTest::qWaitForWindowExposed(QtAccess::Window(converter)->windowHandle())) return 1;
    QTest::mouseClick(static_cast<QPushButton*>(QtAccess::Widget(converter->PushButton2())), Qt::LeftButton);

    tableWindow* table = tableWindow::Instance();
    QMainWindow* widget = QtAccess::Window(table);
    if (!QTest::qWaitForWindowExposed(widget->windowHandle())) return 1;
    bool saved = Save(table, folder + "/table.png");

    // Larger text, as five clicks on the up arrow make it.
    table->EncodingPopupMenu()->SetListIndex(3);
    widget->resize(480, widget->height() + 160);
    for (int i = 0; i < 5; ++i) QtAccess::UpArrow(table->UpDownArrows1())->click();
    table->listASCII()->SetScrollPosition(0xA1);
    saved = Save(table, folder + "/table-macjapanese.png") && saved;

    _ReleaseModuleGlobals();
    fw::RuntimeExit();
    return saved ? 0 : 1;
}
