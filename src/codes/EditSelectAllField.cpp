#include "EditSelectAllField.h"

#include "Menu.h"
#include "framework/Exceptions.h"
#include "framework/Runtime.h"

void EditSelectAllField::Event_EnableMenuItems() {
    if (fw::Len(Text()) > 0) fw::NonNil(EditSelectAll())->SetEnabled(true);
}

bool EditSelectAllField::_EditSelectAll_Action() {
    try {
        SetSelStart(0);
        SetSelLength(fw::Len(Text()));
    } catch (...) {
        fw::MsgBox("selectAll error.  This should never happen.");
    }
    return false;
}
