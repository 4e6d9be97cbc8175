#pragma once

// The framework runtime: process set-up, the event loop, the exception guard
// through which every event reaches the program, and a few system services.
//
// How the layer maps onto Qt: RuntimeInit creates the QApplication; the event
// loop is QApplication's. Every event the program handles (application,
// window, control and menu events) is raised from a Qt event or signal
// through RaiseEvent, which runs the handler under the exception helper that
// the program installed: an exception escaping a handler is reported in a
// message box naming its class, and the program goes on running.
//
// The framework is single-threaded: every event, handler and loop yield runs
// on the one user-interface thread, so its state needs no locks.

#include "framework/String.h"

#include <cstdint>
#include <exception>
#include <functional>

namespace fw {

// Runs fn; returns the RuntimeException that escaped it (nullptr when none)
// and lets any other exception pass on.
using ExceptionHelper = std::function<std::exception_ptr(const std::function<void()>& fn)>;

void RuntimeInit(int& argc, char** argv);
void _RuntimeSetExceptionHelper(ExceptionHelper helper);
// Initialises the framework and runs the program's start-up; the application's
// Open event follows once the event loop runs.
void _RunFrameworkInitialization(const std::function<void()>& startup);
// The event loop; returns when the application quits, with its exit status.
int _RuntimeRun();
// Releases the framework's own globals: its window list and its menu state.
void _ReleaseFrameworkGlobals();
// Ends the runtime; returns the process exit status.
int RuntimeExit();

// Raises an event: runs handler under the exception guard. Returns false when
// an exception escaped it (it has then been reported).
bool RaiseEvent(const std::function<void()>& handler);
template <class R, class F>
R RaiseEvent(F&& handler, R whenFailed) {
    R result = whenFailed;
    if (!RaiseEvent([&] { result = handler(); })) return whenFailed;
    return result;
}

// Ends the event loop; the program then ends with this exit code.
void Quit(int code = 0);
// Whether the program is quitting: a long loop asked to stop by its user
// stops at its next step, so that quitting takes effect at once.
bool Quitting();
// A modal message box; returns once the user dismisses it.
void MsgBox(const String& message);
// Opens a page in the user's browser.
void ShowURL(const String& url);
// The yield of a long loop: lets the screen repaint and the user close a
// window, use the menus or quit. Keys typed meanwhile wait until the loop's
// handler has ended; clicks into controls and drops are refused; so nothing
// can change under the loop. Cheap enough to call once per character: it
// only looks at the clock, and runs events at most 30 times a second.
void YieldToScheduler();

namespace System {
// Gestalt selectors; only "sysv" is known: the system version as 0xMMmb.
bool Gestalt(const String& selector, int32_t& result);
// Bytes of memory the program can still take without the system running out:
// what is free now plus what the system can reclaim at once.
uint64_t AvailableMemory();
}  // namespace System

}  // namespace fw
