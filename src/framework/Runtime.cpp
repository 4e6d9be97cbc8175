#include "framework/Runtime.h"

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/Internal.h"
#include "framework/QtBridge.h"
#include "framework/Testing.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QOperatingSystemVersion>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>
#include <new>

namespace fw {

namespace {

struct RuntimeState {
    std::unique_ptr<QApplication> ownApp;
    ExceptionHelper helper;
    bool opened = false;
    bool quitRequested = false;
    bool ended = false;
    int exitStatus = 0;
    int handlerDepth = 0;
    std::vector<std::function<void()>> whenNoHandlerRuns;
    internal::WindowList* windows = nullptr;
};

// Never destroyed by the C++ run-time: Qt objects must not outlive Qt, and
// RuntimeExit releases them in order. Were the state static, an exit() from
// inside Qt (as when the display connection is lost) would destroy the
// application in the middle of Qt's own tear-down.
RuntimeState& State() {
    static RuntimeState* state = new RuntimeState;
    return *state;
}

// An exit() that does not come through RuntimeExit ends the process on the
// spot: Qt calls it when the display connection is lost, and nothing of a
// half-dead GUI may be torn down then.
void EndWithoutTearDown() {
    if (State().ended) return;
    std::fflush(nullptr);
    std::_Exit(1);
}

const char* ClassNameOf(const std::exception_ptr& e) {
    try {
        std::rethrow_exception(e);
    } catch (const RuntimeException& ex) {
        return ex.ClassName();
    } catch (const std::bad_alloc&) {
        return "OutOfMemoryException";
    } catch (...) {
        return "RuntimeException";
    }
}

void ReportUnhandled(const std::exception_ptr& e) {
    MsgBox(String("An exception of class ") + ClassNameOf(e) + " was not handled.");
}

// Input that arrived while a long loop yielded and waits for the loop's end.
struct HeldInput {
    QPointer<QObject> target;
    std::unique_ptr<QEvent> event;
};
std::vector<HeldInput>& Held() {
    // Never destroyed, like the runtime state: it holds Qt events.
    static auto* held = new std::vector<HeldInput>;
    return *held;
}

// Delivers the held input in the order it came, to the controls still there.
// Input for a widget hidden meanwhile (a text area that moved its text from
// its view into its editor) goes to whatever has its window's focus now.
void ReplayHeldInput() {
    for (HeldInput& input : std::exchange(Held(), {})) {
        QObject* target = input.target;
        if (auto* widget = qobject_cast<QWidget*>(target); widget && widget->isHidden())
            if (QWidget* focus = widget->window()->focusWidget()) target = focus;
        if (target) QCoreApplication::postEvent(target, input.event.release());
    }
}

// While a long loop yields, the user may close a window, use the menus and
// quit; keys wait until the handler that runs the loop has ended, so that
// nothing changes under the loop and nothing typed is lost. Clicks into
// controls, the wheel and drops are refused: a click replayed later could
// come after its own release. A modal loop that a menu command opens
// meanwhile (a message box) takes its input as usual.
class LoopInputGate : public QObject {
public:
    LoopInputGate() : level_(QThread::currentThread()->loopLevel()) { qApp->installEventFilter(this); }
    ~LoopInputGate() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        const Kind kind = KindOf(event->type());
        if (kind == Kind::Free || !watched->isWidgetType()) return false;
        if (QThread::currentThread()->loopLevel() > level_) return false;
        for (const QWidget* w = static_cast<QWidget*>(watched); w; w = w->parentWidget())
            if (qobject_cast<const QMenuBar*>(w) || qobject_cast<const QMenu*>(w)) return false;
        if (kind == Kind::Kept) {
            if (Held().empty()) internal::WhenNoHandlerRuns(ReplayHeldInput);
            Held().push_back({watched, std::unique_ptr<QEvent>(event->clone())});
        } else if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            static_cast<QDropEvent*>(event)->ignore();
        }
        return true;
    }

private:
    enum class Kind { Free, Kept, Dropped };
    static Kind KindOf(QEvent::Type type) {
        switch (type) {
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::InputMethod: return Kind::Kept;
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::Wheel:
            case QEvent::MouseMove:
            case QEvent::ContextMenu:
            case QEvent::DragEnter:
            case QEvent::DragMove:
            case QEvent::Drop:
            case QEvent::TouchBegin:
            case QEvent::TouchUpdate:
            case QEvent::TouchEnd:
            case QEvent::TabletPress:
            case QEvent::TabletMove:
            case QEvent::TabletRelease: return Kind::Dropped;
            default: return Kind::Free;
        }
    }
    int level_;
};

#ifdef Q_OS_MACOS
// The platform reports a click on the Dock icon (the reopen Apple event) as
// an activation of the application, also when it is active already.
class ReopenWatcher : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ApplicationStateChange && State().opened &&
            static_cast<QApplicationStateChangeEvent*>(event)->applicationState() == Qt::ApplicationActive)
            internal::RaiseAppleEvent("aevt", "rapp");
        return QObject::eventFilter(watched, event);
    }
};
#endif

}  // namespace

namespace internal {

HandlerScope::HandlerScope() { ++State().handlerDepth; }

HandlerScope::~HandlerScope() {
    RuntimeState& s = State();
    if (--s.handlerDepth > 0 || s.whenNoHandlerRuns.empty()) return;
    // Still on the stack of whatever raised the event: run them from the loop.
    for (auto& fn : std::exchange(s.whenNoHandlerRuns, {})) WhenNoHandlerRuns(std::move(fn));
}

bool HandlersRunning() { return State().handlerDepth > 0; }

void WhenNoHandlerRuns(std::function<void()> fn) {
    QMetaObject::invokeMethod(
        qApp,
        [fn = std::move(fn)]() mutable {
            if (HandlersRunning())
                State().whenNoHandlerRuns.push_back(std::move(fn));
            else
                fn();
        },
        Qt::QueuedConnection);
}

void RegisterWindowList(WindowList* list) { State().windows = list; }

Seams& TestSeams() {
    static Seams seams;
    return seams;
}

void Trace(std::string entry) {
    if (TestMode()) TestSeams().trace.push_back(std::move(entry));
}

}  // namespace internal

void RuntimeInit(int& argc, char** argv) {
    if (!qApp) State().ownApp = std::make_unique<QApplication>(argc, argv);
#ifndef Q_OS_MACOS
    // Without a global menu bar, a program with no window left has nothing a
    // user could reach, so it ends with its last window.
    QApplication::setQuitOnLastWindowClosed(true);
#else
    QApplication::setQuitOnLastWindowClosed(false);
#endif
    internal::InstallMenuKeys();
#ifdef Q_OS_MACOS
    qApp->installEventFilter(new ReopenWatcher(qApp));
#endif
    internal::SetUpDesktop();
    static bool guarded = false;
    if (!guarded) guarded = std::atexit(EndWithoutTearDown) == 0;
}

void _RuntimeSetExceptionHelper(ExceptionHelper helper) {
    State().helper = std::move(helper);
}

void _RunFrameworkInitialization(const std::function<void()>& startup) {
    if (!RaiseEvent(startup)) return;
    QTimer::singleShot(0, qApp, [] {
        if (Application* app = _GetAppObject()) {
            internal::Trace("Open");
            RaiseEvent([app] { app->Event_Open(); });
            State().opened = true;
#ifndef Q_OS_MACOS
            // Without a global menu bar a program that opened no window
            // would run on where no user can reach it.
            if (!State().windows || State().windows->Count() == 0) Quit(1);
#endif
        }
    });
}

int _RuntimeRun() {
    RuntimeState& s = State();
    if (internal::TestMode()) {
        testing::ProcessEvents();
        return s.exitStatus;
    }
    if (s.quitRequested) return s.exitStatus;
    s.exitStatus = QApplication::exec();
    return s.exitStatus;
}

void _ReleaseFrameworkGlobals() {
    if (State().windows) State().windows->CloseAll();
}

int RuntimeExit() {
    RuntimeState& s = State();
    // The application object holds Qt objects (its menu bar): it goes first.
    _RuntimeReleaseAppObject();
    s.ownApp.reset();
    s.ended = true;
    return s.exitStatus;
}

bool RaiseEvent(const std::function<void()>& handler) {
    internal::HandlerScope running;
    try {
        if (!State().helper) {
            handler();
            return true;
        }
        if (std::exception_ptr escaped = State().helper(handler)) {
            ReportUnhandled(escaped);
            return false;
        }
        return true;
    } catch (...) {
        ReportUnhandled(std::current_exception());
        return false;
    }
}

void Quit(int code) {
    internal::Trace("Quit " + std::to_string(code));
    RuntimeState& s = State();
    s.quitRequested = true;
    s.exitStatus = code;
    if (internal::TestMode()) {
        internal::TestSeams().quitCode = code;
        return;
    }
    QCoreApplication::exit(code);
}

bool Quitting() { return State().quitRequested; }

void MsgBox(const String& message) {
    internal::Trace("MsgBox");
    if (internal::TestMode()) {
        internal::TestSeams().messageBoxes.push_back(message.ToUTF8());
        return;
    }
    QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(),
                    ToDisplayText(message), QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

void ShowURL(const String& url) {
    if (internal::TestMode()) {
        internal::TestSeams().shownURLs.push_back(url.ToUTF8());
        return;
    }
    QDesktopServices::openUrl(QUrl(ToQString(url)));
}

void YieldToScheduler() {
    // Events run at most 30 times a second; a look at the clock costs some
    // 20 ns, less than any loop pass that yields, so every call looks, and a
    // yield after a long step without one runs events at once.
    static QElapsedTimer sinceRepaint;
    if (internal::TestSeams().failNextYield) {
        internal::TestSeams().failNextYield = false;
        throw OutOfMemoryException();
    }
    if (auto fn = std::exchange(internal::TestSeams().duringNextYield, nullptr)) {
        QMetaObject::invokeMethod(qApp, std::move(fn), Qt::QueuedConnection);
    } else if (sinceRepaint.isValid() && sinceRepaint.elapsed() < 33) {
        return;
    }
    // Without an application (the engine alone, in a tool) there is nothing to run.
    if (!qApp) return;
    sinceRepaint.start();
    internal::HandlerScope yielding;
    LoopInputGate gate;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

namespace System {

bool Gestalt(const String& selector, int32_t& result) {
    if (selector != "sysv") return false;
    internal::Seams& seams = internal::TestSeams();
    if (seams.systemVersionSet) {
        if (!seams.systemVersion) return false;
        result = *seams.systemVersion;
        return true;
    }
    // "sysv" writes 10.x.y as 0x10xy and cannot express anything past
    // 10.9.9, which is what it reports for every later system, and what we
    // report where the selector does not exist.
    result = 0x1099;
#ifdef Q_OS_MACOS
    const QOperatingSystemVersion v = QOperatingSystemVersion::current();
    if (v.majorVersion() == 10 && v.minorVersion() < 10)
        result = 0x1000 | (v.minorVersion() << 4) | std::min(std::max(v.microVersion(), 0), 9);
#endif
    return true;
}

uint64_t AvailableMemory() {
    if (const auto& seam = internal::TestSeams().availableMemory) return *seam;
#ifdef Q_OS_LINUX
    // The kernel's own estimate of what can be had without swapping.
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    if (meminfo.open(QIODevice::ReadOnly | QIODevice::Text)) {
        for (QByteArray line = meminfo.readLine(); !line.isEmpty(); line = meminfo.readLine()) {
            if (!line.startsWith("MemAvailable:")) continue;
            bool ok = false;
            const qulonglong kib = line.mid(13).trimmed().split(' ').value(0).toULongLong(&ok);
            if (ok) return uint64_t(kib) * 1024u;
        }
    }
#endif
#ifdef _SC_AVPHYS_PAGES
    const long pages = sysconf(_SC_AVPHYS_PAGES), pageSize = sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageSize > 0) return uint64_t(pages) * uint64_t(pageSize);
#endif
    return std::numeric_limits<uint64_t>::max();
}

}  // namespace System

namespace testing {

void EnableTestMode() { internal::TestSeams().testMode = true; }

void FailNextYield() { internal::TestSeams().failNextYield = true; }

void SetAvailableMemory(std::optional<uint64_t> bytes) { internal::TestSeams().availableMemory = bytes; }

void DuringNextYield(std::function<void()> fn) { internal::TestSeams().duringNextYield = std::move(fn); }

std::vector<std::string> TakeMessageBoxes() {
    return std::exchange(internal::TestSeams().messageBoxes, {});
}

std::vector<std::string> TakeShownURLs() { return std::exchange(internal::TestSeams().shownURLs, {}); }

std::optional<int> QuitCode() { return internal::TestSeams().quitCode; }

void SetSystemVersion(std::optional<int32_t> sysv) {
    internal::TestSeams().systemVersionSet = true;
    internal::TestSeams().systemVersion = sysv;
}

void SetLocalAddress(const char* address) {
    if (address)
        internal::TestSeams().localAddress = address;
    else
        internal::TestSeams().localAddress.reset();
}

void ProcessEvents() {
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

std::vector<std::string> TakeTrace() { return std::exchange(internal::TestSeams().trace, {}); }

void Reset() {
    RuntimeState& s = State();
    if (s.windows) s.windows->CloseAll();
    _RuntimeReleaseAppObject();
    ProcessEvents();
    Held().clear();
    s.helper = nullptr;
    s.opened = s.quitRequested = false;
    s.exitStatus = 0;
    internal::TestSeams() = internal::Seams();
    internal::TestSeams().testMode = true;
    SetResourcesFolder(nullptr);
    TakeMessageDialogs();
}

}  // namespace testing

}  // namespace fw
