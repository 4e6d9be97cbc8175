#pragma once

// State and services shared between the framework's own files.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QKeyEvent;
class QWidget;

namespace fw {
class RectControl;
class Window;
}

namespace fw::internal {

// Test seams (see Testing.h); all empty on a real run.
struct Seams {
    bool testMode = false;
    bool systemVersionSet = false;
    std::optional<int32_t> systemVersion;
    std::optional<std::string> localAddress;
    std::vector<std::string> messageBoxes;
    std::vector<std::string> shownURLs;
    std::vector<std::string> trace;
    std::optional<int> quitCode;
    bool failNextYield = false;
    std::optional<uint64_t> availableMemory;
    std::function<void()> duringNextYield;
};
Seams& TestSeams();
inline bool TestMode() { return TestSeams().testMode; }
void Trace(std::string entry);

// The program's handlers running now, nested ones included. A loop's yield
// and a sheet's modal loop count as handlers too: whatever they run happens
// inside the handler that called them.
class HandlerScope {
public:
    HandlerScope();
    ~HandlerScope();
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;
};
bool HandlersRunning();
// Runs fn from the event loop once no handler is running: never inside a
// yield or a modal loop, so that what a running handler uses stays alive.
void WhenNoHandlerRuns(std::function<void()> fn);

// The window list belongs to the window module; the runtime only asks it how
// many windows are open, and has it close them all at tear-down.
class WindowList {
public:
    virtual int Count() const = 0;
    virtual void CloseAll() = 0;

protected:
    ~WindowList() = default;
};
void RegisterWindowList(WindowList* list);

// Menu preparation: every item is reset to its automatic state, then the
// application's and the focused control's EnableMenuItems run.
void PrepareMenus();
// Whether a key press is the shortcut of a menu item; such keys belong to the
// menu bar, not to the focused control.
bool IsMenuShortcut(const QKeyEvent* event);
// Gives the menu bar its keys: a menu shortcut prepares the menus before it
// is matched, so that it fires exactly when its item is enabled, and neither
// a shortcut nor an Alt chord (the menus' mnemonics) reaches a control.
void InstallMenuKeys();
// Builds the menu bar of a top-level window from the application's MenuBar.
void InstallMenuBar(QWidget* window);
// A sheet has no menu bar, but the menus' shortcuts work while it has the
// keyboard as they do in its parent window (Close Window, Quit).
void InstallMenuKeysOn(QWidget* sheet);

// Raises the application's HandleAppleEvent with an event's class and ID;
// returns the handler's result (False when there is no application object).
bool RaiseAppleEvent(const std::string& eventClass, const std::string& eventID);

// The framework control that has the keyboard focus, if any; while the user
// is in the menus, the one that had it before.
RectControl* FocusedControl();
// The program's name and icon for the desktop, F10 to the menu bar, and the
// focus tracking behind FocusedControl. Once, after the QApplication exists.
void SetUpDesktop();

}  // namespace fw::internal
