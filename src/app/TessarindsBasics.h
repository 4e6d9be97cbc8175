#pragma once

// The system-version gate: the program needs Mac OS X 10.3 or later.
namespace TessarindsBasics {
// The newest of 7.0, 8.0, 8.5, 9.0, 9.2, 10.0, 10.1, 10.2, 10.3, 10.4 that the
// running system reaches; 7.0 when its version cannot be read.
double returnOSversion();
// On a system older than 10.3: tells the user and quits with code 0.
void checkOSversion();
}  // namespace TessarindsBasics
