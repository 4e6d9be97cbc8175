// Test entry: the framework runtime in test mode on the offscreen platform
// (unless the caller chose another, e.g. a real X display), with a private
// runtime directory so that Qt stays quiet. After every test the program and
// the framework are put back as a fresh process has them, so that the suite
// passes as one process in any order, as well as one test a process.

#include "Startup.h"
#include "framework/Runtime.h"
#include "framework/Testing.h"

#include "TestTimers.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>
#include <utility>

namespace {

QObject* scope = nullptr;

class ResetAfterEachTest : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { scope = new QObject; }
    void OnTestEnd(const ::testing::TestInfo&) override {
        delete std::exchange(scope, nullptr);
        _ResetProgramState();
        fw::testing::Reset();
    }
};

}  // namespace

QObject* TestScope() { return scope; }

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
    ::testing::UnitTest::GetInstance()->listeners().Append(new ResetAfterEachTest);
    const int failed = RUN_ALL_TESTS();
    // Tear down as the program does, while Qt is still whole.
    _ReleaseModuleGlobals();
    fw::RuntimeExit();
    return failed;
}
