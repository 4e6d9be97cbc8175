// Starts the program as a real run does, opens the block converter, types a
// short text into it and pastes a block of 20000 characters after it (the
// most it converts without asking) and saves a picture of the window; then
// sets a block of more than 20000 characters and saves a picture of the
// warning sheet before cancelling it. Arguments: the two output paths.

#include "Startup.h"
#include "BlockConvert.h"
#include "sizeWarnSheet.h"
#include "framework/Runtime.h"
#include "framework/Testing.h"

#include "framework/QtAccess.h"

#include <QApplication>
#include <QClipboard>
#include <QMainWindow>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <string>

using fw::internal::QtAccess;

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: screenshot_blocks WINDOW.png SHEET.png\n");
        return 2;
    }
    fw::RuntimeInit(argc, argv);
    // Test mode makes the event loop return once start-up is done.
    fw::testing::EnableTestMode();
    _Main();

    BlockConvert* window = BlockConvert::Instance();
    QMainWindow* widget = QtAccess::Window(window);
    if (!QTest::qWaitForWindowExposed(widget->windowHandle())) return 1;
    window->EditField1()->SetFocus();
    QPlainTextEdit* input = QtAccess::Edit(window->EditField1());
    const QString typed = QStringLiteral("Hello, world! ");
    QTest::keyClicks(input, typed);
    // The rest of the 20000 characters comes from the clipboard.
    const QString sentence = QStringLiteral("The quick brown fox jumps over the lazy dog. ");
    QString block;
    while (block.size() < 20000 - typed.size()) block += sentence;
    block.truncate(20000 - typed.size());
    QApplication::clipboard()->setText(block);
    QTest::keyClick(input, Qt::Key_V, Qt::ControlModifier);
    input->moveCursor(QTextCursor::Start);
    QTest::qWait(300);
    bool saved = widget->grab().save(QString::fromLocal8Bit(argv[1]));

    const QString sheetPath = QString::fromLocal8Bit(argv[2]);
    QTimer::singleShot(500, [&saved, sheetPath] {
        sizeWarnSheet* sheet = sizeWarnSheet::Instance();
        QTest::qWait(300);
        saved = QtAccess::Window(sheet)->grab().save(sheetPath) && saved;
        sheet->PushButton2()->Push();
    });
    window->EditField1()->SetText(std::string(20001, 'x'));

    _ReleaseModuleGlobals();
    fw::RuntimeExit();
    return saved ? 0 : 1;
}
