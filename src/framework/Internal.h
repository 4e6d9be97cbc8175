#pragma once

// State and services shared between the framework's own files.

#include <cstdint>
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
};
Seams& TestSeams();
inline bool TestMode() { return TestSeams().testMode; }
void Trace(std::string entry);

// Menu preparation: every item is reset to its automatic state, then the
// application's and the focused control's EnableMenuItems run.
void PrepareMenus();
// Whether a key press is the shortcut of a menu item; such keys belong to the
// menu bar, not to the focused field.
bool IsMenuShortcut(const QKeyEvent* event);
// Builds the menu bar of a top-level window from the application's MenuBar.
void InstallMenuBar(QWidget* window);

// The framework control behind the focused widget, if any.
RectControl* FocusedControl();

}  // namespace fw::internal
