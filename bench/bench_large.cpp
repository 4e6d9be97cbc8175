// Large blocks in the block converter, offscreen, one scenario per run so
// that the peak memory read at its end belongs to that scenario alone:
//
//   bench_large text MIB [LIMIT]      random MacRoman text, a line break every
//                                     ~70 characters, converted whole
//   bench_large close MIB [LIMIT]     as text; 1.5 s in, the window's close button
//   bench_large closecmd MIB [LIMIT]  as text; 1.5 s in, File > Close Window as its
//                                     shortcut gives it (the progress sheet is in front)
//   bench_large line MB [LIMIT]       one line without blanks pasted with the
//                                     warning on, Cancel, then 3 s idle
//   bench_large drop MIB [LIMIT]      a file of text as above dropped on the input
//                                     with the warning on, Cancel, until the input's
//                                     editor holds it all
//   bench_large dropclose MIB [LIMIT] as drop; 0.5 s after Cancel, File > Close Window
//
// LIMIT (seconds, default 120): the run prints "gave up after LIMIT s" and
// ends when it takes longer. A 10 ms timer measures the longest time the
// event loop got no turn: the longest freeze a user would see.

#include "BlockConvert.h"
#include "Charvella.h"
#include "Startup.h"
#include "fasterPlease.h"
#include "globalVars.h"
#include "sizeWarnSheet.h"
#include "framework/Internal.h"
#include "framework/MenuItem.h"
#include "framework/QtAccess.h"
#include "framework/Runtime.h"
#include "framework/Testing.h"
#include "framework/WindowSystemInput.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QUrl>
#include <QEventLoop>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <thread>

using namespace fw;
using fw::internal::QtAccess;

namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// A "Key: value kB" line of a /proc file, in kB; 0 when absent.
long ProcKB(const char* file, const std::string& key) {
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);)
        if (line.compare(0, key.size() + 1, key + ":") == 0) return std::atol(line.c_str() + key.size() + 1);
    return 0;
}
long RssKB() { return ProcKB("/proc/self/status", "VmRSS"); }
long PeakKB() { return ProcKB("/proc/self/status", "VmHWM"); }
// Starts the peak over from the present size, so that start-up does not count.
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

double CpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    auto sec = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return sec(u.ru_utime) + sec(u.ru_stime);
}

// The size before the scenario's data existed, for the peak a run that gives up reached.
std::atomic<long> rssBeforeKB{0};

// Ends the process after the limit, whatever the main thread is stuck in.
void GiveUpAfter(int seconds) {
    std::thread([seconds] {
        std::this_thread::sleep_for(std::chrono::seconds(seconds));
        std::printf("gave up after %d s (peak RSS over start so far: %.1f MiB)\n", seconds,
                    double(PeakKB() - rssBeforeKB) / 1024.0);
        std::fflush(stdout);
        _exit(0);
    }).detach();
}

// Random printable MacRoman text with a carriage return every 60-80 characters.
std::string RandomText(size_t n) {
    std::mt19937 rng(2024);
    std::uniform_int_distribution<int> code(0x20, 0xFE), line(60, 80);
    std::string s(n, ' ');
    for (size_t i = 0, next = size_t(line(rng)); i < n; ++i) {
        if (i == next) {
            s[i] = '\r';
            next += size_t(line(rng)) + 1;
            continue;
        }
        const int c = code(rng);
        s[i] = char(c == 0x7F ? 0xFF : c);
    }
    return s;
}

template <class W>
W* Find() {
    for (int i = 0; i < WindowCount(); ++i)
        if (auto* w = dynamic_cast<W*>(WindowAt(i))) return w;
    return nullptr;
}

bool Listed(const Window* window) {
    for (int i = 0; i < WindowCount(); ++i)
        if (WindowAt(i) == window) return true;
    return false;
}

// The longest time between two firings of a 10 ms timer, and a hook run at each.
class FreezeMeter {
public:
    explicit FreezeMeter(std::function<void()> onTick = {}) : onTick_(std::move(onTick)) {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            Tick();
            if (onTick_) onTick_();
        });
        last_ = Clock::now();
        timer_.start(10);
    }
    // The longest gap up to now, counting the one since the last firing.
    double Longest() {
        Tick();
        return longest_;
    }
    // Starts over, returning the longest gap so far.
    double Restart() {
        const double longest = Longest();
        longest_ = 0;
        return longest;
    }

private:
    void Tick() {
        const auto now = Clock::now();
        longest_ = std::max(longest_, std::chrono::duration<double>(now - last_).count());
        last_ = now;
    }
    std::function<void()> onTick_;
    QTimer timer_;
    Clock::time_point last_;
    double longest_ = 0;
};

// Paint events of the block converter's widgets and of the progress sheet's.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(BlockConvert* window) : window_(QtAccess::Window(window)) { qApp->installEventFilter(this); }
    ~PaintCounter() override { qApp->removeEventFilter(this); }
    int window = 0, sheet = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || !watched->isWidgetType()) return false;
        const QWidget* top = static_cast<QWidget*>(watched)->window();
        if (top == window_) ++window;
        const fasterPlease* progress = Find<fasterPlease>();
        if (progress && top == QtAccess::Window(progress)) ++sheet;
        return false;
    }

private:
    QPointer<QWidget> window_;
};

bool MemoryMessageShown() {
    for (const std::string& box : testing::TakeMessageBoxes())
        if (box == "convertBlock conversion error.  This might be due to insufficient memory.") return true;
    return false;
}

// Chooses a menu item as its shortcut does: the menus are prepared, then an
// enabled item's action is triggered. (Offscreen, a sheet never gets the
// keyboard the window system would give it, so keys could not reach it.)
bool Choose(const char* itemName) {
    internal::PrepareMenus();
    QAction* action = QtAccess::Action(App()->MenuBar()->_Lookup(itemName).get());
    if (!action->isEnabled()) return false;
    action->trigger();
    return true;
}

// The block converter in front with the keyboard, as a user works in it.
BlockConvert* ActiveBlockConvert() {
    BlockConvert* window = BlockConvert::Instance();
    std::printf("window active: %s\n",
                QTest::qWaitForWindowActive(QtAccess::Window(window)->windowHandle()) ? "yes" : "no");
    return window;
}

// text, close, closecmd: the block converted whole with the warning off.
void ConvertWhole(const std::string& scenario, size_t size) {
    BlockConvert* window = ActiveBlockConvert();
    const QPointer<QWidget> input = QtAccess::Edit(window->EditField1());
    const QPointer<QWidget> shownWindow = QtAccess::Window(window);
    globalVars::dontWarn = true;  // as "Convert All Anyway" does
    testing::ProcessEvents();
    ResetPeak();
    const long before = RssKB();
    rssBeforeKB = before;
    const String text = String::FromBytes(RandomText(size), Encodings::MacRoman());

    const auto start = Clock::now();
    double requestAt = -1;
    bool closeChosen = false;
    const bool closes = scenario != "text";
    FreezeMeter meter([&] {
        if (!closes || requestAt >= 0 || Since(start) < 1.5) return;
        requestAt = Since(start);
        if (scenario == "close")
            QtAccess::Window(window)->close();
        else
            closeChosen = Choose("FileCloseWindow");
    });
    PaintCounter paints(window);
    window->EditField1()->SetText(text);  // converts in its TextChange
    const double returned = Since(start);
    const long convertedPeak = PeakKB();
    const double convertedFreeze = meter.Longest();
    // Then the input, which may be edited, takes its text into its editor.
    testing::ProcessEvents();
    const double shown = Since(start);
    // A closed window goes once no handler of it runs; a close asked for
    // after the conversion comes from the timer.
    while (closes && (requestAt < 0 || (scenario == "close" && Listed(window)))) testing::ProcessEvents();
    const double gone = Since(start);
    const double freeze = meter.Longest();
    const long peak = PeakKB();

    std::printf("conversion returned, outputs written: %.3f s\n", returned);
    std::printf("longest freeze until then: %.3f s\n", convertedFreeze);
    std::printf("peak RSS over start until then: %.1f MiB (%.1f bytes per input character)\n",
                double(convertedPeak - before) / 1024.0, double(convertedPeak - before) * 1024.0 / double(size));
    std::printf("input in its editor: %.3f s\n", shown);
    std::printf("longest freeze: %.3f s\n", freeze);
    std::printf("paint events: window %d, progress sheet %d\n", paints.window, paints.sheet);
    std::printf("peak RSS over start: %.1f MiB (%.1f bytes per input character)\n", double(peak - before) / 1024.0,
                double(peak - before) * 1024.0 / double(size));
    std::printf("RSS over start at the end: %.1f bytes per input character\n",
                double(RssKB() - before) * 1024.0 / double(size));
    std::printf("memory message: %s\n", MemoryMessageShown() ? "yes" : "no");
    if (!closes) return;
    std::printf("close requested: %.3f s\n", requestAt);
    std::printf("conversion returned after the request: %.3f s\n", returned - requestAt);
    if (scenario == "close") {
        std::printf("window gone after the request: %.3f s (its widget deleted: %s)\n", gone - requestAt,
                    shownWindow ? "no" : "yes");
        return;
    }
    std::printf("Close Window enabled and chosen: %s\n", closeChosen ? "yes" : "no");
    const bool open = Listed(window);
    std::printf("window still open: %s\n", open ? "yes" : "no");
    std::printf("progress sheet still open: %s\n", Find<fasterPlease>() ? "yes" : "no");
    std::printf("input still whole: %s\n",
                open && input && size_t(Len(window->EditField1()->Text())) == size ? "yes" : "no");
}

// line: one long line pasted with the warning on, answered with Cancel.
void PasteLine(size_t size) {
    BlockConvert* window = ActiveBlockConvert();
    globalVars::dontWarn = false;
    QWidget* shown = QtAccess::Window(window);
    QPlainTextEdit* editor = QtAccess::Edit(window->EditField1());
    editor->setFocus(Qt::MouseFocusReason);
    ResetPeak();
    rssBeforeKB = RssKB();
    std::string line(size, ' ');
    for (size_t i = 0; i < size; ++i) line[i] = char('a' + i % 26);
    QGuiApplication::clipboard()->setText(QString::fromLatin1(line.data(), qsizetype(line.size())));

    const auto start = Clock::now();
    double visibleAt = -1, cancelAt = -1;
    FreezeMeter meter([&] {
        const sizeWarnSheet* sheet = Find<sizeWarnSheet>();
        if (!sheet || !QtAccess::Window(sheet)->isVisible() || cancelAt >= 0) return;
        if (visibleAt < 0) {
            visibleAt = Since(start);
            std::printf("warning sheet visible: %.3f s\n", visibleAt);
            std::fflush(stdout);
            return;  // Cancel on the next turn, inside the sheet's own loop
        }
        cancelAt = Since(start);
        QTest::mouseClick(QtAccess::Widget(sizeWarnSheet::Instance()->PushButton2()), Qt::LeftButton);
    });
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    const double returned = Since(start);
    testing::ProcessEvents();
    std::printf("paste returned after Cancel: %.3f s\n", cancelAt < 0 ? -1 : returned - cancelAt);
    std::printf("longest freeze: %.3f s\n", meter.Longest());
    std::printf("input characters: %d\n", Len(window->EditField1()->Text()));

    const bool active = QTest::qWaitForWindowActive(shown->windowHandle());
    const double cpu = CpuSeconds();
    QEventLoop idle;
    QTimer::singleShot(3000, &idle, &QEventLoop::quit);
    idle.exec();
    const double used = CpuSeconds() - cpu;
    std::printf("idle CPU over 3 s: %.3f s (%.1f %%), window active: %s\n", used, used / 3.0 * 100.0,
                active ? "yes" : "no");
}

// drop, dropclose: a file dropped on the input, the warning answered with
// Cancel, then the input's editor filled (or the window closed meanwhile).
void DropFile(const std::string& scenario, size_t size) {
    BlockConvert* window = ActiveBlockConvert();
    globalVars::dontWarn = false;
    QTemporaryDir dir;
    const QString path = dir.filePath("block.txt");
    {
        std::ofstream out(path.toStdString(), std::ios::binary);
        const std::string text = RandomText(size);
        out.write(text.data(), std::streamsize(text.size()));
    }
    QPlainTextEdit* editor = QtAccess::Edit(window->EditField1());
    // A closed window is deleted once no handler of it runs: once its input
    // has stopped taking the text.
    const QPointer<QWidget> shownWindow = QtAccess::Window(window);
    ResetPeak();
    const long before = RssKB();
    rssBeforeKB = before;
    const bool closes = scenario == "dropclose";
    const auto start = Clock::now();
    double warnedAt = -1, cancelAt = -1, filledAt = -1, closeAt = -1, closedAt = -1;
    double freezeToCancel = -1;
    FreezeMeter* meter = nullptr;
    FreezeMeter freezes([&] {
        const sizeWarnSheet* sheet = Find<sizeWarnSheet>();
        if (warnedAt < 0 && sheet && QtAccess::Window(sheet)->isVisible()) {
            warnedAt = Since(start);
            return;  // Cancel on the next turn, inside the sheet's own loop
        }
        if (warnedAt >= 0 && cancelAt < 0) {
            cancelAt = Since(start);
            freezeToCancel = meter->Restart();
            sizeWarnSheet::Instance()->PushButton2()->Push();
            return;
        }
        if (cancelAt < 0) return;
        if (closes && closeAt < 0 && Since(start) - cancelAt >= 0.5) {
            closeAt = Since(start);
            Choose("FileCloseWindow");
        }
        if (closeAt >= 0 && closedAt < 0 && !shownWindow) closedAt = Since(start);
        if (!closes && filledAt < 0 && editor->isVisible() &&
            size_t(editor->document()->characterCount() - 1) == size)
            filledAt = Since(start);
    });
    meter = &freezes;
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const fw::TextArea* input = window->EditField1();
    const bool taken = internal::DropAt(window, QPoint(input->Left() + 10, input->Top() + 10), data);
    while (taken && (closes ? closedAt < 0 : filledAt < 0)) testing::ProcessEvents();
    const double freeze = freezes.Longest();
    const long peak = PeakKB();
    std::printf("drop taken: %s\n", taken ? "yes" : "no");
    std::printf("warning sheet visible: %.3f s\n", warnedAt);
    std::printf("longest freeze until Cancel: %.3f s\n", freezeToCancel);
    std::printf("longest freeze after Cancel: %.3f s\n", freeze);
    std::printf("peak RSS over start: %.1f MiB (%.1f bytes per input character)\n", double(peak - before) / 1024.0,
                double(peak - before) * 1024.0 / double(size));
    std::printf("RSS over start at the end: %.1f bytes per input character\n",
                double(RssKB() - before) * 1024.0 / double(size));
    if (closes) {
        std::printf("Close Window chosen %.3f s after Cancel; window gone %.3f s later\n", closeAt - cancelAt,
                    closedAt - closeAt);
        return;
    }
    std::printf("input in the editor: %.3f s after Cancel\n", filledAt - cancelAt);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string scenario = argc > 1 ? argv[1] : "";
    const bool whole = scenario == "text" || scenario == "close" || scenario == "closecmd";
    const bool drop = scenario == "drop" || scenario == "dropclose";
    if (argc < 3 || (!whole && !drop && scenario != "line")) {
        std::fprintf(stderr, "usage: %s text|close|closecmd|drop|dropclose MIB [LIMIT] | line MB [LIMIT]\n", argv[0]);
        return 2;
    }
    const double amount = std::atof(argv[2]);
    const int limit = argc > 3 ? std::atoi(argv[3]) : 120;
    const size_t size = size_t(amount * (whole || drop ? 1024.0 * 1024.0 : 1e6));
    std::printf("cores: %u\n", std::thread::hardware_concurrency());
    std::printf("MemAvailable: %ld MiB\n", ProcKB("/proc/meminfo", "MemAvailable") / 1024);
    std::printf("scenario: %s %s (%zu characters), limit %d s\n", scenario.c_str(), argv[2], size, limit);
    std::fflush(stdout);
    GiveUpAfter(limit);

    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    RuntimeInit(argc, argv);
    testing::EnableTestMode();
    _Main();
    if (whole)
        ConvertWhole(scenario, size);
    else if (drop)
        DropFile(scenario, size);
    else
        PasteLine(size);
    std::fflush(stdout);
    _ReleaseModuleGlobals();
    RuntimeExit();
    return 0;
}
