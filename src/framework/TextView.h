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
#include <vector>

namespace fw::internal {

// A read-only view of a text of any length: the text is kept once (8-bit text
// as its bytes), its lines are found in one pass, and only the lines on
// screen are laid out.
class TextView : public QAbstractScrollArea {
public:
    // Lines longer than this are shown as rows of this many characters.
    static constexpr int64_t kRowLength = 4096;

    explicit TextView(QWidget* parent = nullptr);
    ~TextView() override;

    // By value: callers move big texts in. Clears the selection, scrolls to the top.
    void SetText(fw::String text);
    const fw::String& Text() const { return text_; }

    bool HasSelection() const { return anchor_ != cursor_; }
    // Display form: every line break (CR, LF, CR LF) as "\n".
    QString SelectedText() const;
    void SelectAll();
    // The selection to the clipboard in display form; nothing without a
    // selection, or when memory runs out building it.
    void Copy() const;

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

private:
    friend class AccessibleTextView;

    int64_t Length() const;
    // Storage characters [start, end) as they are, line breaks included.
    QString Characters(int64_t start, int64_t end) const;
    int64_t RowStart(int row) const { return rowStarts_[size_t(row)]; }
    int64_t RowEnd(int row) const;
    int RowOf(int64_t offset) const;

    // The row laid out at the viewport's width; cached, so valid only until
    // the next call.
    const QTextLayout& Layout(int row) const;
    double RowHeight(int row) const;
    void DropLayouts();
    void UpdateScrollBar();
    int FirstRow() const;

    // The offset at a viewport point (clamped into the viewport), and the
    // rectangle of the character at an offset if its row is on screen.
    int64_t OffsetAt(QPoint point) const;
    QRect CharacterRect(int64_t offset) const;
    void Select(int64_t anchor, int64_t cursor);
    void SelectWordAt(int64_t offset);

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
    int layoutWidth_ = 0;
    QBasicTimer autoScroll_;
    QPoint dragPoint_;
};

}  // namespace fw::internal
