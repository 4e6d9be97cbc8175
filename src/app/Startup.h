#pragma once

// The road from the process entry to the event loop and back out.

#include <exception>
#include <functional>

// Installs the exception guard, initialises the framework with _Startup and
// runs the event loop until the application quits.
void _Main();
// Declares the file type, creates and registers the application object with
// its menu bar, and binds the menu commands.
void _Startup();
void _InitFileTypes();
void _NewAppInstance();
// Binds the menu commands of the application object to their items' names.
void _ApplicationAddMenuHandlers();
// Releases the module globals at quit: the framework's, then the file type,
// the menu bar and the cached system encoding.
void _ReleaseModuleGlobals();
// Everything the program keeps between events back as a fresh process has
// it: the module globals released, the settings cleared and the bundle
// pictures forgotten. For tests, which start the program many times in one
// process (with the framework's own reset after it); a run never calls it.
void _ResetProgramState();
// Runs fn; hands an escaping RuntimeException back as the result and lets
// any other exception pass on.
std::exception_ptr _CallFunctionWithExceptionHandling(const std::function<void()>& fn);
