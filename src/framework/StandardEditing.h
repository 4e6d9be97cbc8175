#pragma once

// The standard editing items of the Edit menu, which the framework enables
// and carries out itself for the focused text control: they are found by
// their names EditUndo, EditCut, EditCopy, EditPaste and EditClear.

#include "framework/String.h"

#include <functional>

namespace fw::internal {

struct EditActions {
    std::function<void()> undo, cut, copy, paste, clear;
};

// Enables the items the focused control can carry out now.
void EnableStandardEditItems(bool undo, bool cut, bool copy, bool paste, bool clear);
// Carries out the item if it is one of the five; false otherwise.
bool RunStandardEditItem(const String& itemName, const EditActions& actions);

}  // namespace fw::internal
