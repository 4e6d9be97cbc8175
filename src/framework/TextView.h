#pragma once

// A read-only view of a text of any length, for outputs of hundreds of
// megabytes that a text editor would take seconds and gigabytes to hold.

#include "framework/String.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QCache>
#include <QString>
#include <QTextLayout>

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace fw::internal {

// The screen lines of each row, with their running sums: a count a row, and
// the sums of blocks of rows in a Fenwick tree, so that a count changes and a
// line's row is found in log time.
class RowLines {
public:
    // One pass: it runs over millions of rows at every new text and width.
    template <class CountOf>
    void Reset(int rows, CountOf countOf) {
        counts_.resize(size_t(rows));
        tree_.assign(size_t((rows + kBlock - 1) / kBlock + 1), 0);
        for (int row = 0; row < rows; ++row) {
            counts_[size_t(row)] = countOf(row);
            tree_[size_t(row / kBlock + 1)] += counts_[size_t(row)];
        }
        BuildTree();
    }
    int Count(int row) const { return counts_[size_t(row)]; }
    void Set(int row, int count);
    // Lines of the rows before row.
    int64_t Before(int row) const;
    int64_t Total() const { return total_; }
    // The row that holds a line (the last row for lines past the end), and
    // the line's number within it.
    std::pair<int, int64_t> Find(int64_t line) const;

private:
    static constexpr int kBlock = 64;
    // Turns the blocks' sums into the tree.
    void BuildTree();
    int Blocks() const { return int(tree_.size()) - 1; }

    // A row holds at most TextView::kRowLength lines: 16 bits suffice.
    std::vector<uint16_t> counts_;
    // 1-based, over the blocks' sums.
    std::vector<int64_t> tree_;
    int64_t total_ = 0;
};

// A read-only view of a text of any length: the text is kept once (8-bit text
// as its bytes), its lines are found in one pass, and only the rows on screen
// are laid out. It scrolls by screen lines as a read-only QPlainTextEdit does:
// rows not yet laid out count the lines their length makes likely, and are
// counted exactly once laid out.
class TextView : public QAbstractScrollArea {
public:
    // Lines longer than this are shown as rows of this many characters.
    static constexpr int64_t kRowLength = 4096;

    explicit TextView(QWidget* parent = nullptr);
    ~TextView() override;

    // By value: callers move big texts in. Clears the selection, scrolls to the top.
    void SetText(fw::String text);
    const fw::String& Text() const { return text_; }

    // Offsets are in storage units: bytes for 8-bit text, else UTF-16 units.
    bool HasSelection() const { return anchor_ != cursor_; }
    int64_t SelectionAnchor() const { return anchor_; }
    int64_t SelectionCursor() const { return cursor_; }
    // Clamped into the text.
    void Select(int64_t anchor, int64_t cursor);
    // Display form: every line break (CR, LF, CR LF) as "\n".
    QString SelectedText() const;
    void SelectAll();
    // The selection to the clipboard in display form; nothing without a
    // selection, or when memory runs out building it.
    void Copy() const;

    // The first character shown, and scrolling so that the line holding an
    // offset is the first shown (as far as the text goes).
    int64_t FirstVisibleOffset() const { return topOffset_; }
    void ScrollToOffset(int64_t offset);

    // Left (the default), centre or right.
    void SetAlignment(Qt::Alignment horizontal);

    // Raised when the view gets the keyboard focus, with the reason.
    std::function<void(Qt::FocusReason)> FocusEntered;

    // Rows: the text's lines, long ones cut into rows of kRowLength.
    int RowCount() const { return int(rowStarts_.size()) - 1; }
    // A row's characters, without its line break.
    QString RowText(int row) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    friend class AccessibleTextView;
    // What a mouse selection grows by: after a double click words, after a
    // triple click lines.
    enum class Unit { Character, Word, Line };

    int64_t Length() const;
    // Storage characters [start, end) as they are, line breaks included.
    QString Characters(int64_t start, int64_t end) const;
    int64_t RowStart(int row) const { return rowStarts_[size_t(row)]; }
    // Where the row's characters end: before its line break, if it has one.
    int64_t RowEnd(int row) const;
    int RowOf(int64_t offset) const;
    // The word, or the line with its line break, around an offset.
    std::pair<int64_t, int64_t> UnitAround(Unit unit, int64_t offset) const;

    // The row laid out at the view's width; cached, so valid only until the
    // next call. Laying a row out makes its line count exact.
    const QTextLayout& Layout(int row) const;
    int LinesOf(int row) const;
    void DropLayouts();
    void EstimateLines();
    // Lines are counted anew for a new width or font; the first character
    // shown stays at the top.
    void Rewrap();

    // The first line shown, counted from the text's start, and where the
    // first row shown starts on screen (above the viewport when only its
    // later lines show).
    int64_t TopLine() const { return lines_.Before(topRow_) + topLine_; }
    double TopRowY() const;
    // Moves the first line shown by lines counted exactly on the way.
    void Walk(int64_t lines);
    void ScrollAction(int action);
    // Lays out the rows on screen, keeps the top within the text and brings
    // the scroll bar in line.
    void Settle();
    void MeasureLastPage();

    // The offset at a viewport point (clamped into the viewport), whether the
    // point is on the text there, and the rectangle of the character at an
    // offset if it is on screen.
    int64_t OffsetAt(QPoint point, bool* onText = nullptr) const;
    QRect CharacterRect(int64_t offset) const;
    void EnsureVisible(int64_t offset);

    void SelectUnit(Unit unit, int64_t offset);
    void ExtendSelection(int64_t offset);
    // The X11 primary selection, where the system has one.
    void ShareSelection() const;
    void StartDrag();

    fw::String text_;
    // Storage: the bytes of text_ when every character is one byte, else this.
    bool bytes_ = true;
    QString wide_;
    // Where each row starts, and the text's length after the last.
    std::vector<int64_t> rowStarts_{0, 0};
    int64_t anchor_ = 0;
    int64_t cursor_ = 0;
    Qt::Alignment alignment_ = Qt::AlignLeft;

    mutable QCache<int, QTextLayout> layouts_;
    // The viewport width the rows are laid out and counted for.
    int layoutWidth_ = 0;
    mutable RowLines lines_;
    // The first line shown: a row and a line within it, and its first character.
    int topRow_ = 0;
    int topLine_ = 0;
    int64_t topOffset_ = 0;
    // The lines that fit on the last page and on any page, and the viewport
    // size they were measured for.
    int lastPageLines_ = 1;
    int pageLines_ = 1;
    QSize measured_;
    // Set while the view moves the scroll bar itself.
    bool syncing_ = false;

    QBasicTimer autoScroll_;
    QPoint dragPoint_;
    QBasicTimer tripleClick_;
    QPoint tripleClickPoint_;
    Unit unit_ = Unit::Character;
    int64_t unitStart_ = 0;
    int64_t unitEnd_ = 0;
    // A mouse selection under way, and a press in the selection that may
    // become a drag of it.
    bool selecting_ = false;
    bool dragPending_ = false;
    QPoint pressPoint_;
};

}  // namespace fw::internal
