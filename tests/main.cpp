// Test entry: the framework runtime in test mode on the offscreen platform
// (unless the caller chose another, e.g. a real X display), with a private
// runtime directory so that Qt stays quiet.

#include "Startup.h"
#include "framework/Runtime.h"
#include "framework/Testing.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QTemporaryDir runtimeDir;
    if (!std::getenv("XDG_RUNTIME_DIR") && runtimeDir.isValid()) {
        QFile::setPermissions(runtimeDir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                     QFileDevice::ExeOwner);
        setenv("XDG_RUNTIME_DIR", QDir::toNativeSeparators(runtimeDir.path()).toLocal8Bit().constData(), 1);
    }
    ::testing::InitGoogleTest(&argc, argv);
    fw::RuntimeInit(argc, argv);
    // Message boxes, web pages and Quit are recorded, never shown or done.
    fw::testing::EnableTestMode();
    QApplication::setQuitOnLastWindowClosed(false);
    const int failed = RUN_ALL_TESTS();
    // Tear down as the program does, while Qt is still whole.
    _ReleaseModuleGlobals();
    fw::RuntimeExit();
    return failed;
}
