#pragma once

// Seams for the tests, and only for them: with test mode on, message boxes,
// web pages and quitting are recorded instead of carried out, and the event
// loop can be driven step by step. A real run never turns test mode on.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace fw::testing {

// Turns test mode on: MsgBox, ShowURL and Quit are recorded, not carried out,
// and _RuntimeRun handles what is pending and returns.
void EnableTestMode();

// Message boxes shown since the last call, as UTF-8 texts (line ends "\r").
std::vector<std::string> TakeMessageBoxes();
// Pages opened with ShowURL since the last call.
std::vector<std::string> TakeShownURLs();
// The exit code of the last Quit, if any was asked for.
std::optional<int> QuitCode();

// The answer of Gestalt "sysv": a value, or std::nullopt for a failing call.
void SetSystemVersion(std::optional<int32_t> sysv);
// The machine's local network address as a new socket reports it.
void SetLocalAddress(const char* address);

// Delivers an Apple event of that class and ID to the application, as the
// platform would; returns the application's answer.
bool SendAppleEvent(const char* eventClass, const char* eventID);

// Makes the next loop yield raise OutOfMemoryException, as memory running
// out in the middle of a long loop would.
void FailNextYield();

// What System::AvailableMemory answers; std::nullopt restores the real answer.
void SetAvailableMemory(std::optional<uint64_t> bytes);

// Runs fn inside the next loop yield, as an event that arrives while a long
// loop runs would.
void DuringNextYield(std::function<void()> fn);

// Handles all pending events (posted events, timers due, deferred deletes).
void ProcessEvents();

// Puts the framework back as a fresh process in test mode has it: every
// window closed and deleted, the application object and the exception
// helper released, the runtime's quit state and every seam and record above
// back at its start. For the tests' tear-down, so that they pass in one
// process in any order.
void Reset();

// What the framework was asked to do, in order, since the last call:
// "RegisterFileType text", "MenuBar", "RegisterApp", "AddMenuHandler <name>",
// "Open", "Show <title>", "MsgBox", "MessageDialog", "Quit <code>",
// "AppleEvent <class> <ID>".
std::vector<std::string> TakeTrace();

// Makes _GetApplicationBundleResources() answer with the folder at path (a
// UTF-8 native path; Nil unless it is a folder). "" means there is no
// Resources folder; nullptr restores the real lookup beside the executable.
void SetResourcesFolder(const char* path);

// Message dialogs shown since the last call: their message, explanation and
// the captions of their visible buttons (alternate, cancel, action).
struct ShownMessageDialog {
    std::string message;
    std::string explanation;
    std::vector<std::string> buttons;
};
// Each is answered with its action button.
std::vector<ShownMessageDialog> TakeMessageDialogs();

}  // namespace fw::testing
