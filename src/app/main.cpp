// The process entry: runtime set-up, the program's start-up and event loop,
// then the release of the module globals.

#include "Startup.h"
#include "framework/Runtime.h"

int main(int argc, char** argv) {
    fw::RuntimeInit(argc, argv);
    _Main();
    _ReleaseModuleGlobals();
    return fw::RuntimeExit();
}
