#pragma once

// The key of a key press as the program's KeyDown events receive it: a
// one-character string. Keys without text arrive as the codes the program
// expects: arrows left, right, up, down 28-31, Return 13, Enter 3, Tab 9,
// Backspace 8, Escape 27, forward Delete 127, Home 1, End 4, Page Up 11,
// Page Down 12, Help 5. Empty for keys that carry neither (Shift alone, F5).

#include "framework/String.h"

class QKeyEvent;

namespace fw::internal {

String KeyText(const QKeyEvent* event);
// Alt (or Meta) held with a key: a chord for the menus' mnemonics or the
// window system, never a key typed into a field.
bool IsMenuChord(const QKeyEvent* event);

}  // namespace fw::internal
