#pragma once

// A list of rows in columns with a heading row. Column widths are given in
// percent of the list's width (or in pixels) and follow the list when it is
// resized; the user may drag them wider or narrower. The row height follows
// the text size. One row at most is selected.

#include "framework/RectControl.h"

#include <vector>

class QTreeWidget;

namespace fw {

class Listbox : public RectControl {
public:
    Listbox();

    int ColumnCount() const;
    void SetColumnCount(int count);
    // Comma-separated widths: "25%" of the list's width, "40" pixels, "*" or
    // nothing for a share of what is left.
    void SetColumnWidths(const String& widths);
    void SetHasHeading(bool on);
    // The heading of a column; column -1 sets all headings at once from one
    // text, tab-separated.
    String Heading(int column) const;
    void SetHeading(int column, const String& text);
    void SetColumnsResizable(bool on);
    // 0 default (left), 1 left, 2 centre, 3 right; kept for rows added later.
    int ColumnAlignment(int column) const;
    void SetColumnAlignment(int column, int align);

    // Appends a row with its first column's text.
    void AddRow(const String& text);
    void DeleteAllRows();
    int ListCount() const;
    // The text of a cell; "" outside the rows and columns.
    String Cell(int row, int column) const;
    void SetCell(int row, int column, const String& text);
    // The selected row, -1 when none.
    int ListIndex() const;
    void SetListIndex(int index);

    // The first visible row.
    int ScrollPosition() const;
    void SetScrollPosition(int row);

private:
    void ApplyColumnWidths();
    QTreeWidget* tree_;
    String widths_;
    std::vector<int> alignments_;
    std::vector<std::vector<String>> cells_;
};

}  // namespace fw
