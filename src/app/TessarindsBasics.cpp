#include "TessarindsBasics.h"

#include "WebSite.h"
#include "framework/Runtime.h"

#include <cstdint>

namespace TessarindsBasics {

double returnOSversion() {
    struct Step {
        int32_t atLeast;
        double version;
    };
    static constexpr Step kSteps[] = {{0x0800, 8.0},  {0x0850, 8.5},  {0x0900, 9.0},
                                      {0x0920, 9.2},  {0x1000, 10.0}, {0x1010, 10.1},
                                      {0x1020, 10.2}, {0x1030, 10.3}, {0x1040, 10.4}};
    double result = 7.0;
    int32_t r = 0;
    // Each step asks the system again; a failed call meets no step.
    for (const Step& step : kSteps)
        if (fw::System::Gestalt("sysv", r) && r >= step.atLeast) result = step.version;
    return result;
}

void checkOSversion() {
    if (returnOSversion() >= 10.3) return;
    fw::MsgBox(fw::String("This version of Charvellarequires Mac OS X 10.3 or later, and will not run on "
                          "earlier versions of the Mac OS.") +
               fw::EndOfLine() + fw::EndOfLine() + "Please visit " + kWebHost +
               " to download a version for your Mac OS.");
    fw::Quit(0);
}

}  // namespace TessarindsBasics
