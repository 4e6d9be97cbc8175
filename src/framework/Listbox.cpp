#include "framework/Listbox.h"

#include "framework/QtAccess.h"
#include "framework/QtBridge.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>

namespace fw {

namespace {

// Columns take their widths from the viewport's, so a scroll bar that comes
// or goes re-spreads them.
class ListWidget : public QTreeWidget {
public:
    std::function<void()> viewportResized;

protected:
    bool viewportEvent(QEvent* e) override {
        const bool handled = QTreeWidget::viewportEvent(e);
        if (e->type() == QEvent::Resize && viewportResized) viewportResized();
        return handled;
    }
};

Qt::Alignment AlignmentOf(int align) { return HorizontalAlignment(align) | Qt::AlignVCenter; }

// What no font draws is left out of a cell's picture (the cell keeps it):
// control characters, which would show as empty boxes, and private-use
// characters: Apple's logo, and the hints with which Apple's mappings keep
// some characters' conversion exact.
QString CellText(const String& s) {
    QString text = ToQString(s);
    text.removeIf([](QChar c) {
        const QChar::Category category = c.category();
        return category == QChar::Other_Control || category == QChar::Other_PrivateUse;
    });
    return text;
}

}  // namespace

Listbox::Listbox() : RectControl(new ListWidget()), tree_(static_cast<QTreeWidget*>(Widget())) {
    tree_->setRootIsDecorated(false);
    tree_->setIndentation(0);
    tree_->setItemsExpandable(false);
    tree_->setUniformRowHeights(true);
    tree_->setAllColumnsShowFocus(true);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    tree_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tree_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    tree_->setAttribute(Qt::WA_MacShowFocusRect, false);
    tree_->setFocusPolicy(Qt::StrongFocus);
    tree_->header()->setStretchLastSection(false);
    tree_->header()->setSectionsMovable(false);
    // Narrow columns keep the width they were given.
    tree_->header()->setMinimumSectionSize(8);
    // The headings keep their size when the rows' text grows.
    tree_->header()->setFont(internal::FontFor("SmallSystem", 0, 0));
    static_cast<ListWidget*>(tree_)->viewportResized = [this] { ApplyColumnWidths(); };
    SetColumnCount(1);
}

int Listbox::ColumnCount() const { return tree_->columnCount(); }

void Listbox::SetColumnCount(int count) {
    count = std::max(1, count);
    tree_->setColumnCount(count);
    alignments_.resize(size_t(count), 0);
    for (auto& row : cells_) row.resize(size_t(count));
    ApplyColumnWidths();
}

void Listbox::SetColumnWidths(const String& widths) {
    widths_ = widths;
    ApplyColumnWidths();
}

void Listbox::ApplyColumnWidths() {
    const int columns = ColumnCount();
    const int total = tree_->viewport()->width();
    std::vector<int> width(size_t(columns), -1);
    const int given = CountFields(widths_, ",");
    int used = 0, open = 0;
    for (int c = 0; c < columns; ++c) {
        const String spec = Trim(NthField(widths_, ",", c + 1));
        if (c < given && !spec.IsEmpty() && spec != "*") {
            const double value = Val(spec);
            width[size_t(c)] = InStr(spec, "%") > 0 ? int(std::lround(value * total / 100.0)) : int(value);
            used += width[size_t(c)];
        } else {
            ++open;
        }
    }
    // What is left goes to the open columns; rounding never pushes the last
    // column past the edge.
    const int rest = std::max(0, total - used);
    for (int& w : width)
        if (w < 0) w = rest / open;
    int sum = 0;
    for (int w : width) sum += w;
    if (sum > total && open == 0) width.back() = std::max(0, width.back() - (sum - total));
    for (int c = 0; c < columns; ++c) tree_->header()->resizeSection(c, width[size_t(c)]);
}

void Listbox::SetHasHeading(bool on) { tree_->setHeaderHidden(!on); }

String Listbox::Heading(int column) const {
    if (column < 0 || column >= ColumnCount()) return String();
    return FromQString(tree_->headerItem()->text(column));
}

void Listbox::SetHeading(int column, const String& text) {
    if (column >= ColumnCount()) return;
    if (column >= 0) {
        tree_->headerItem()->setText(column, ToQString(text));
        return;
    }
    const QStringList headings = ToQString(text).split(QLatin1Char('\t'));
    for (int c = 0; c < ColumnCount(); ++c) tree_->headerItem()->setText(c, c < headings.size() ? headings[c] : QString());
}

void Listbox::SetColumnsResizable(bool on) {
    tree_->header()->setSectionResizeMode(on ? QHeaderView::Interactive : QHeaderView::Fixed);
}

int Listbox::ColumnAlignment(int column) const {
    return column >= 0 && column < ColumnCount() ? alignments_[size_t(column)] : 0;
}

void Listbox::SetColumnAlignment(int column, int align) {
    if (column < 0 || column >= ColumnCount()) return;
    alignments_[size_t(column)] = align;
    const Qt::Alignment a = AlignmentOf(align);
    for (int row = 0; row < tree_->topLevelItemCount(); ++row) tree_->topLevelItem(row)->setTextAlignment(column, a);
}

void Listbox::AddRow(const String& text) {
    auto* item = new QTreeWidgetItem();
    for (int c = 0; c < ColumnCount(); ++c) item->setTextAlignment(c, AlignmentOf(alignments_[size_t(c)]));
    item->setText(0, CellText(text));
    cells_.emplace_back(size_t(ColumnCount()));
    cells_.back()[0] = text;
    tree_->addTopLevelItem(item);
}

void Listbox::DeleteAllRows() {
    tree_->clear();
    cells_.clear();
}

int Listbox::ListCount() const { return tree_->topLevelItemCount(); }

String Listbox::Cell(int row, int column) const {
    if (row < 0 || row >= ListCount() || column < 0 || column >= ColumnCount()) return String();
    return cells_[size_t(row)][size_t(column)];
}

void Listbox::SetCell(int row, int column, const String& text) {
    if (row < 0 || row >= ListCount() || column < 0 || column >= ColumnCount()) return;
    cells_[size_t(row)][size_t(column)] = text;
    tree_->topLevelItem(row)->setText(column, CellText(text));
}

int Listbox::ListIndex() const {
    const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
    return selected.isEmpty() ? -1 : tree_->indexOfTopLevelItem(selected.first());
}

void Listbox::SetListIndex(int index) {
    if (index < 0 || index >= ListCount()) {
        tree_->clearSelection();
        return;
    }
    tree_->setCurrentItem(tree_->topLevelItem(index));
}

int Listbox::ScrollPosition() const { return tree_->verticalScrollBar()->value(); }

void Listbox::SetScrollPosition(int row) {
    if (ListCount() == 0) return;
    row = std::clamp(row, 0, ListCount() - 1);
    // Lays the rows out first, so that the scroll range is known even while
    // the list is hidden.
    tree_->scrollToItem(tree_->topLevelItem(row), QAbstractItemView::PositionAtTop);
}

}  // namespace fw
