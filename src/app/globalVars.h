#pragma once

// The program's settings: they live for the run only and are never stored.
namespace globalVars {
// Write decimal and hexadecimal codes in their HTML forms (&#65; and %41).
inline bool showHTML = false;
// Convert large blocks without asking first.
inline bool dontWarn = false;
// The large-block warning's answers: convert only the first part / all of it.
inline bool convert1000 = false;
inline bool convertAnyway = false;
}  // namespace globalVars
