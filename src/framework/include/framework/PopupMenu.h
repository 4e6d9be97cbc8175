#pragma once

// A popup menu: a list of rows of which one is chosen. A row whose text is
// "-" is a separator: it shows as the platform's separator line and cannot be
// chosen, but counts as a row. Change follows every change of the chosen row,
// the program's own included.

#include "framework/RectControl.h"

#include <functional>

class QComboBox;

namespace fw {

class PopupMenu : public RectControl {
public:
    PopupMenu();

    void AddRow(const String& text);
    void DeleteAllRows();
    int ListCount() const;
    // The text of row index (from 0); "" outside the rows.
    String List(int index) const;
    // The chosen row, -1 when none. Choosing a separator or a row outside the
    // list chooses nothing.
    int ListIndex() const;
    void SetListIndex(int index);
    // The text of the chosen row; "" when none is chosen.
    String Text() const;

    std::function<void()> Change;

private:
    QComboBox* combo_;
};

}  // namespace fw
