#include "framework/TextView.h"

#include "framework/QtBridge.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <new>

namespace fw::internal {

namespace {

// Space between the text and the viewport's edges, as text editors keep.
constexpr int kMargin = 4;
// Laid-out rows kept: several screens' worth.
constexpr int kCachedRows = 1000;

// Every byte's character in MacRoman (raw bytes read as MacRoman too), taken
// from the framework's own decoding. Each is one UTF-16 unit.
const std::array<char16_t, 256>& MacRomanUnits() {
    static const std::array<char16_t, 256> units = [] {
        std::array<char16_t, 256> t{};
        for (int i = 0; i < 256; ++i) t[size_t(i)] = ToQString(Chr(i)).at(0).unicode();
        return t;
    }();
    return units;
}

// Whether the view may keep the text as its bytes: one byte a character, in
// MacRoman or a superset of ASCII.
bool IsByteText(const String& text) {
    const TextEncoding enc = text.Encoding();
    if (enc.IsNil() || enc == Encodings::MacRoman()) return true;
    if (enc != Encodings::UTF8()) return false;
    const std::string& b = text.Bytes();
    return std::all_of(b.begin(), b.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The first c in t[from, n), or n.
int64_t Find(const char* t, int64_t from, int64_t n, char c) {
    const void* p = std::memchr(t + from, c, size_t(n - from));
    return p ? static_cast<const char*>(p) - t : n;
}
int64_t Find(const char16_t* t, int64_t from, int64_t n, char16_t c) { return std::find(t + from, t + n, c) - t; }

// Row starts of a text of n units: a row ends at a line break (CR, LF or
// CR LF) or after TextView::kRowLength units, never inside a surrogate pair.
// The text's length follows the last row.
template <class Unit>
std::vector<int64_t> IndexRows(const Unit* t, int64_t n) {
    std::vector<int64_t> starts{0};
    int64_t cr = Find(t, 0, n, Unit('\r'));
    int64_t lf = Find(t, 0, n, Unit('\n'));
    int64_t line = 0;
    for (;;) {
        const int64_t lineEnd = std::min(cr, lf);
        for (int64_t s = line + TextView::kRowLength; s < lineEnd; s += TextView::kRowLength) {
            if constexpr (sizeof(Unit) == 2) {
                if (QChar::isHighSurrogate(t[s - 1])) --s;
            }
            starts.push_back(s);
        }
        if (lineEnd == n) break;
        line = lineEnd + (t[lineEnd] == '\r' && lineEnd + 1 < n && t[lineEnd + 1] == '\n' ? 2 : 1);
        starts.push_back(line);
        if (cr < line) cr = Find(t, line, n, Unit('\r'));
        if (lf < line) lf = Find(t, line, n, Unit('\n'));
    }
    starts.push_back(n);
    starts.shrink_to_fit();
    return starts;
}

}  // namespace

// Screen readers' view of a TextView (below).
QAccessibleInterface* AccessibleFor(const QString& className, QObject* object);

TextView::TextView(QWidget* parent) : QAbstractScrollArea(parent), layouts_(kCachedRows) {
    static const bool accessible = (QAccessible::installFactory(AccessibleFor), true);
    (void)accessible;
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setCursor(Qt::IBeamCursor);
    verticalScrollBar()->setSingleStep(1);
}

TextView::~TextView() = default;

void TextView::SetText(String text) {
    text_ = std::move(text);
    bytes_ = IsByteText(text_);
    wide_ = bytes_ ? QString() : ToQString(text_);
    rowStarts_ = bytes_ ? IndexRows(text_.Bytes().data(), int64_t(text_.Bytes().size()))
                        : IndexRows(reinterpret_cast<const char16_t*>(wide_.constData()), wide_.size());
    anchor_ = cursor_ = 0;
    DropLayouts();
    UpdateScrollBar();
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

int64_t TextView::Length() const { return bytes_ ? int64_t(text_.Bytes().size()) : wide_.size(); }

QString TextView::Characters(int64_t start, int64_t end) const {
    if (!bytes_) return wide_.mid(start, end - start);
    QString s(end - start, Qt::Uninitialized);
    const auto& units = MacRomanUnits();
    const char* b = text_.Bytes().data();
    std::transform(b + start, b + end, reinterpret_cast<char16_t*>(s.data()),
                   [&units](char c) { return units[static_cast<unsigned char>(c)]; });
    return s;
}

int64_t TextView::RowEnd(int row) const {
    // Only a row that ends a line has a break, and it is the row's last unit
    // or units; rows hold no other breaks.
    const int64_t start = RowStart(row);
    int64_t end = rowStarts_[size_t(row) + 1];
    auto unit = [this](int64_t i) { return bytes_ ? char16_t(text_.Bytes()[size_t(i)]) : wide_.at(i).unicode(); };
    if (end > start && unit(end - 1) == '\n') --end;
    if (end > start && unit(end - 1) == '\r') --end;
    return end;
}

int TextView::RowOf(int64_t offset) const {
    const auto it = std::upper_bound(rowStarts_.begin(), rowStarts_.end() - 1, offset);
    return std::max(0, int(it - rowStarts_.begin()) - 1);
}

QString TextView::RowText(int row) const { return Characters(RowStart(row), RowEnd(row)); }

QString TextView::SelectedText() const {
    return DisplayLineBreaks(Characters(std::min(anchor_, cursor_), std::max(anchor_, cursor_)));
}

void TextView::SelectAll() { Select(0, Length()); }

void TextView::Copy() const {
    if (!HasSelection()) return;
    try {
        QApplication::clipboard()->setText(SelectedText());
    } catch (const std::bad_alloc&) {
        // Too big to copy: the clipboard keeps what it had.
    }
}

void TextView::SetAlignment(Qt::Alignment horizontal) {
    alignment_ = horizontal & Qt::AlignHorizontal_Mask;
    DropLayouts();
    viewport()->update();
}

void TextView::Select(int64_t anchor, int64_t cursor) {
    if (anchor == anchor_ && cursor == cursor_) return;
    anchor_ = anchor;
    cursor_ = cursor;
    viewport()->update();
}

void TextView::SelectWordAt(int64_t offset) {
    const int row = RowOf(offset);
    const int64_t start = RowStart(row);
    const QString text = RowText(row);
    auto isWord = [&text](qsizetype i) { return text.at(i).isLetterOrNumber() || text.at(i) == u'_'; };
    qsizetype from = offset - start;
    if (from == text.size() || !isWord(from)) {
        if (from == 0 || !isWord(from - 1)) return Select(offset, offset);
        --from;
    }
    qsizetype to = from;
    while (from > 0 && isWord(from - 1)) --from;
    while (to < text.size() && isWord(to)) ++to;
    Select(start + from, start + to);
}

const QTextLayout& TextView::Layout(int row) const {
    if (QTextLayout* cached = layouts_.object(row)) return *cached;
    auto* layout = new QTextLayout(RowText(row), font(), viewport());
    QTextOption option(alignment_);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout->setTextOption(option);
    layout->setCacheEnabled(true);
    const double width = std::max(1, viewport()->width() - 2 * kMargin);
    double y = 0;
    layout->beginLayout();
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout->endLayout();
    layouts_.insert(row, layout);
    return *layout;
}

double TextView::RowHeight(int row) const {
    const QTextLayout& layout = Layout(row);
    const int lines = layout.lineCount();
    const double height = lines ? layout.lineAt(lines - 1).rect().bottom() : 0;
    return std::max(height, double(fontMetrics().height()));
}

void TextView::DropLayouts() {
    layouts_.clear();
    layoutWidth_ = viewport()->width();
}

int TextView::FirstRow() const { return verticalScrollBar()->value(); }

void TextView::UpdateScrollBar() {
    // The scroll bar ends at the first row that shows the last row at the bottom.
    const double height = viewport()->height() - 2 * kMargin;
    int last = RowCount() - 1;
    for (double used = RowHeight(last); last > 0;) {
        used += RowHeight(last - 1);
        if (used > height) break;
        --last;
    }
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, last);
    bar->setPageStep(std::max(1, int(height / fontMetrics().height())));  // rows one line high
}

void TextView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    const int64_t selStart = std::min(anchor_, cursor_);
    const int64_t selEnd = std::max(anchor_, cursor_);
    QTextCharFormat selected;
    selected.setBackground(palette().brush(QPalette::Highlight));
    selected.setForeground(palette().brush(QPalette::HighlightedText));
    double y = kMargin;
    for (int row = FirstRow(); row < RowCount() && y < viewport()->height(); ++row) {
        const int64_t start = RowStart(row);
        QList<QTextLayout::FormatRange> selections;
        const int64_t from = std::max(selStart, start), to = std::min(selEnd, RowEnd(row));
        if (from < to) selections.append({int(from - start), int(to - from), selected});
        const double height = RowHeight(row);
        Layout(row).draw(&painter, QPointF(kMargin, y), selections);
        y += height;
    }
}

void TextView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (viewport()->width() != layoutWidth_) DropLayouts();
    UpdateScrollBar();
}

void TextView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        DropLayouts();
        UpdateScrollBar();
    }
}

void TextView::scrollContentsBy(int, int) { viewport()->update(); }

void TextView::keyPressEvent(QKeyEvent* event) {
    QScrollBar* bar = verticalScrollBar();
    if (event->matches(QKeySequence::SelectAll)) {
        SelectAll();
    } else if (event->matches(QKeySequence::Copy)) {
        Copy();
    } else {
        switch (event->key()) {
            case Qt::Key_Up: bar->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
            case Qt::Key_Down: bar->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
            case Qt::Key_PageUp: bar->triggerAction(QAbstractSlider::SliderPageStepSub); break;
            case Qt::Key_PageDown: bar->triggerAction(QAbstractSlider::SliderPageStepAdd); break;
            case Qt::Key_Home: bar->triggerAction(QAbstractSlider::SliderToMinimum); break;
            case Qt::Key_End: bar->triggerAction(QAbstractSlider::SliderToMaximum); break;
            default: return QAbstractScrollArea::keyPressEvent(event);
        }
    }
    event->accept();
}

int64_t TextView::OffsetAt(QPoint point) const {
    const QRect area = viewport()->rect();
    const double x = std::clamp(point.x(), area.left(), area.right()) - kMargin;
    const double pointY = std::clamp(point.y(), area.top(), area.bottom());
    double y = kMargin;
    int row = FirstRow();
    for (; row < RowCount() - 1; ++row) {
        const double height = RowHeight(row);
        if (pointY < y + height) break;
        y += height;
    }
    const QTextLayout& layout = Layout(row);
    QTextLine line = layout.lineAt(0);
    for (int i = 1; i < layout.lineCount() && layout.lineAt(i).y() <= pointY - y; ++i) line = layout.lineAt(i);
    if (!line.isValid()) return RowStart(row);
    return RowStart(row) + line.xToCursor(x);
}

QRect TextView::CharacterRect(int64_t offset) const {
    double y = kMargin;
    for (int row = FirstRow(); row < RowCount() && y < viewport()->height(); ++row) {
        if (row == RowOf(offset)) {
            const QTextLayout& layout = Layout(row);
            const int pos = int(offset - RowStart(row));
            const QTextLine line = layout.lineForTextPosition(pos);
            if (!line.isValid()) return {};
            const double left = line.cursorToX(pos), right = line.cursorToX(pos + 1);
            return QRectF(kMargin + left, y + line.y(), std::max(1.0, right - left), line.height()).toAlignedRect();
        }
        y += RowHeight(row);
    }
    return {};
}

void TextView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
    const int64_t offset = OffsetAt(event->position().toPoint());
    Select(event->modifiers() & Qt::ShiftModifier ? anchor_ : offset, offset);
}

void TextView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) return;
    dragPoint_ = event->position().toPoint();
    // Outside the viewport the text scrolls under the mouse, on a timer,
    // so that it goes on while the mouse stands still.
    if (dragPoint_.y() >= 0 && dragPoint_.y() < viewport()->height()) {
        autoScroll_.stop();
    } else if (!autoScroll_.isActive()) {
        autoScroll_.start(50, this);
    }
    Select(anchor_, OffsetAt(dragPoint_));
}

void TextView::mouseReleaseEvent(QMouseEvent*) { autoScroll_.stop(); }

void TextView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mouseDoubleClickEvent(event);
    SelectWordAt(OffsetAt(event->position().toPoint()));
}

void TextView::timerEvent(QTimerEvent* event) {
    if (event->timerId() != autoScroll_.timerId()) return QAbstractScrollArea::timerEvent(event);
    verticalScrollBar()->triggerAction(dragPoint_.y() < 0 ? QAbstractSlider::SliderSingleStepSub
                                                          : QAbstractSlider::SliderSingleStepAdd);
    Select(anchor_, OffsetAt(dragPoint_));
}

void TextView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(QApplication::translate("QWidgetTextControl", "&Copy"), this, [this] { Copy(); })
        ->setEnabled(HasSelection());
    menu.addAction(QApplication::translate("QWidgetTextControl", "Select All"), this, [this] { SelectAll(); })
        ->setEnabled(Length() > 0);
    menu.exec(event->globalPos());
}

// What screen readers see: read-only editable text, read through the text
// interface a range at a time, never whole.
class AccessibleTextView : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AccessibleTextView(TextView* view) : QAccessibleWidget(view, QAccessible::EditableText) {}

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.multiLine = true;
        s.selectableText = true;
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index != 0 || !View()->HasSelection()) return;
        *start = Clamp(std::min(View()->anchor_, View()->cursor_));
        *end = Clamp(std::max(View()->anchor_, View()->cursor_));
    }
    int selectionCount() const override { return View()->HasSelection() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { View()->Select(View()->cursor_, View()->cursor_); }
    void setSelection(int, int start, int end) override {
        const int n = characterCount();
        View()->Select(std::clamp(start, 0, n), std::clamp(end, 0, n));
    }
    int cursorPosition() const override { return Clamp(View()->cursor_); }
    void setCursorPosition(int position) override { setSelection(0, position, position); }

    QString text(int start, int end) const override {
        start = std::clamp(start, 0, characterCount());
        end = std::clamp(end, start, characterCount());
        QString s = View()->Characters(start, end);
        s.replace(QLatin1Char('\r'), QLatin1Char('\n'));  // offsets stay those of the text
        return s;
    }
    // Lines are the view's rows, their line breaks included; every other
    // unit is read a character at a time.
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override {
        if (type == QAccessible::LineBoundary) return Row(View()->RowOf(offset) - 1, start, end);
        return Range(offset - 1, offset, start, end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override {
        if (type == QAccessible::LineBoundary) return Row(View()->RowOf(offset) + 1, start, end);
        return Range(offset + 1, offset + 2, start, end);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override {
        if (type == QAccessible::LineBoundary) return Row(View()->RowOf(offset), start, end);
        return Range(offset, offset + 1, start, end);
    }
    int characterCount() const override { return Clamp(View()->Length()); }

    QRect characterRect(int offset) const override {
        const QRect r = View()->CharacterRect(offset);
        return r.isNull() ? r : QRect(View()->viewport()->mapToGlobal(r.topLeft()), r.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        const QPoint p = View()->viewport()->mapFromGlobal(point);
        return View()->viewport()->rect().contains(p) ? Clamp(View()->OffsetAt(p)) : -1;
    }
    void scrollToSubstring(int start, int) override { View()->verticalScrollBar()->setValue(View()->RowOf(start)); }
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    TextView* View() const { return static_cast<TextView*>(widget()); }
    static int Clamp(int64_t offset) { return int(std::min<int64_t>(offset, INT_MAX)); }
    QString Row(int row, int* start, int* end) const {
        if (row < 0 || row >= View()->RowCount()) return Range(-1, -1, start, end);
        return Range(Clamp(View()->RowStart(row)), Clamp(View()->rowStarts_[size_t(row) + 1]), start, end);
    }
    // The text [from, to) within the text, with its bounds; empty outside it.
    QString Range(int from, int to, int* start, int* end) const {
        if (from < 0 || from >= characterCount()) {
            *start = *end = -1;
            return {};
        }
        *start = from;
        *end = std::min(to, characterCount());
        return text(*start, *end);
    }
};

QAccessibleInterface* AccessibleFor(const QString&, QObject* object) {
    auto* view = dynamic_cast<TextView*>(object);
    return view ? new AccessibleTextView(view) : nullptr;
}

void TextView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    if (FocusEntered) FocusEntered(event->reason());
}

}  // namespace fw::internal
