#include "framework/TextView.h"

#include "framework/QtBridge.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDrag>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <new>
#include <utility>

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

// A laid-out row's height: down to its last line's bottom.
double Height(const QTextLayout& layout) {
    const int lines = layout.lineCount();
    return lines ? layout.lineAt(lines - 1).rect().bottom() : 0;
}

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

void RowLines::BuildTree() {
    total_ = 0;
    for (int i = 1; i <= Blocks(); ++i) total_ += tree_[size_t(i)];
    for (int i = 1; i <= Blocks(); ++i) {
        const int parent = i + (i & -i);
        if (parent <= Blocks()) tree_[size_t(parent)] += tree_[size_t(i)];
    }
}

void RowLines::Set(int row, int count) {
    const int delta = count - Count(row);
    if (delta == 0) return;
    counts_[size_t(row)] = uint16_t(count);
    total_ += delta;
    for (int i = row / kBlock + 1; i <= Blocks(); i += i & -i) tree_[size_t(i)] += delta;
}

int64_t RowLines::Before(int row) const {
    int64_t sum = 0;
    for (int i = row / kBlock; i > 0; i -= i & -i) sum += tree_[size_t(i)];
    for (int r = row / kBlock * kBlock; r < row; ++r) sum += counts_[size_t(r)];
    return sum;
}

std::pair<int, int64_t> RowLines::Find(int64_t line) const {
    const int rows = int(counts_.size());
    // The whole blocks before the line, by descent, then its row within the next.
    int blocks = 0;
    int64_t rest = std::max<int64_t>(0, line);
    int step = 1;
    while (step * 2 <= Blocks()) step *= 2;
    for (; step > 0; step /= 2) {
        if (blocks + step <= Blocks() && tree_[size_t(blocks + step)] <= rest) {
            blocks += step;
            rest -= tree_[size_t(blocks)];
        }
    }
    if (blocks * kBlock >= rows) return {rows - 1, std::max<int64_t>(0, line) - Before(rows - 1)};
    int row = blocks * kBlock;
    while (row < rows - 1 && rest >= counts_[size_t(row)]) rest -= counts_[size_t(row++)];
    return {row, rest};
}

// Screen readers' view of a TextView (below).
QAccessibleInterface* AccessibleFor(const QString& className, QObject* object);

TextView::TextView(QWidget* parent) : QAbstractScrollArea(parent), layouts_(kCachedRows) {
    static const bool accessible = (QAccessible::installFactory(AccessibleFor), true);
    (void)accessible;
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setCursor(Qt::IBeamCursor);
    verticalScrollBar()->setSingleStep(1);
    // Steps, pages and the wheel move by lines counted on the way.
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this, [this](int action) { ScrollAction(action); });
    DropLayouts();
    EstimateLines();
}

TextView::~TextView() = default;

void TextView::SetText(String text) {
    text_ = std::move(text);
    bytes_ = IsByteText(text_);
    wide_ = bytes_ ? QString() : ToQString(text_);
    rowStarts_ = bytes_ ? IndexRows(text_.Bytes().data(), int64_t(text_.Bytes().size()))
                        : IndexRows(reinterpret_cast<const char16_t*>(wide_.constData()), wide_.size());
    anchor_ = cursor_ = 0;
    dragPending_ = selecting_ = false;
    DropLayouts();
    EstimateLines();
    topRow_ = topLine_ = 0;
    measured_ = QSize();
    Settle();
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

void TextView::SelectAll() {
    Select(0, Length());
    ShareSelection();
}

void TextView::Copy() const {
    if (!HasSelection()) return;
    try {
        QApplication::clipboard()->setText(SelectedText());
    } catch (const std::bad_alloc&) {
        // Too big to copy: the clipboard keeps what it had.
    }
}

void TextView::ShareSelection() const {
    QClipboard* clipboard = QApplication::clipboard();
    if (!HasSelection() || !clipboard->supportsSelection()) return;
    try {
        clipboard->setText(SelectedText(), QClipboard::Selection);
    } catch (const std::bad_alloc&) {
        // Too big: the primary selection stays what it was.
    }
}

void TextView::SetAlignment(Qt::Alignment horizontal) {
    alignment_ = horizontal & Qt::AlignHorizontal_Mask;
    // Lines break where they did: the counts hold.
    layouts_.clear();
    viewport()->update();
}

void TextView::Select(int64_t anchor, int64_t cursor) {
    anchor = std::clamp<int64_t>(anchor, 0, Length());
    cursor = std::clamp<int64_t>(cursor, 0, Length());
    if (anchor == anchor_ && cursor == cursor_) return;
    anchor_ = anchor;
    cursor_ = cursor;
    viewport()->update();
}

std::pair<int64_t, int64_t> TextView::UnitAround(Unit unit, int64_t offset) const {
    int first = RowOf(offset);
    if (unit == Unit::Line) {
        // A line cut into rows is one line; its break goes with it.
        int last = first;
        while (first > 0 && RowEnd(first - 1) == RowStart(first)) --first;
        while (last < RowCount() - 1 && RowEnd(last) == rowStarts_[size_t(last) + 1]) ++last;
        return {RowStart(first), rowStarts_[size_t(last) + 1]};
    }
    if (unit == Unit::Character) return {offset, offset};
    const int64_t start = RowStart(first);
    const QString text = RowText(first);
    auto isWord = [&text](qsizetype i) { return text.at(i).isLetterOrNumber() || text.at(i) == u'_'; };
    qsizetype from = std::min<qsizetype>(offset - start, text.size());
    if (from == text.size() || !isWord(from)) {
        if (from == 0 || !isWord(from - 1)) return {offset, offset};
        --from;
    }
    qsizetype to = from;
    while (from > 0 && isWord(from - 1)) --from;
    while (to < text.size() && isWord(to)) ++to;
    return {start + from, start + to};
}

void TextView::SelectUnit(Unit unit, int64_t offset) {
    unit_ = unit;
    std::tie(unitStart_, unitEnd_) = UnitAround(unit, offset);
    Select(unitStart_, unitEnd_);
}

void TextView::ExtendSelection(int64_t offset) {
    if (unit_ == Unit::Character) return Select(anchor_, offset);
    // Whole words or lines, from the one first selected.
    const auto [start, end] = UnitAround(unit_, offset);
    if (start < unitStart_)
        Select(unitEnd_, start);
    else
        Select(unitStart_, std::max(end, unitEnd_));
}

const QTextLayout& TextView::Layout(int row) const {
    if (QTextLayout* cached = layouts_.object(row)) return *cached;
    auto* layout = new QTextLayout(RowText(row), font(), viewport());
    QTextOption option(alignment_);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout->setTextOption(option);
    layout->setCacheEnabled(true);
    const double width = std::max(1, layoutWidth_ - 2 * kMargin);
    double y = 0;
    layout->beginLayout();
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout->endLayout();
    lines_.Set(row, std::max(1, layout->lineCount()));
    layouts_.insert(row, layout);
    return *layout;
}

int TextView::LinesOf(int row) const {
    Layout(row);
    return lines_.Count(row);
}

void TextView::DropLayouts() {
    layouts_.clear();
    layoutWidth_ = viewport()->width();
}

void TextView::EstimateLines() {
    // As many characters a line as the font's average width gives. Rows
    // shorter than a cut one end in a break, counted as one character.
    const double width = std::max(1, layoutWidth_ - 2 * kMargin);
    const double charWidth = std::max(1.0, QFontMetricsF(font()).averageCharWidth());
    const int64_t perLine = std::max<int64_t>(1, int64_t(width / charWidth));
    const int64_t* starts = rowStarts_.data();
    lines_.Reset(RowCount(), [starts, perLine](int row) {
        int64_t n = starts[row + 1] - starts[row];
        if (n < kRowLength) --n;
        return uint16_t(n <= perLine ? 1 : (n + perLine - 1) / perLine);
    });
}

void TextView::Rewrap() {
    DropLayouts();
    EstimateLines();
    const int64_t start = RowStart(topRow_);
    const QTextLayout& layout = Layout(topRow_);
    const int64_t position = std::clamp<int64_t>(topOffset_ - start, 0, RowEnd(topRow_) - start);
    const QTextLine line = layout.lineForTextPosition(int(position));
    topLine_ = line.isValid() ? line.lineNumber() : 0;
    measured_ = QSize();
}

double TextView::TopRowY() const {
    const QTextLayout& layout = Layout(topRow_);
    return kMargin - layout.lineAt(std::min(topLine_, layout.lineCount() - 1)).y();
}

void TextView::Walk(int64_t lines) {
    int row = topRow_;
    int64_t line = topLine_ + lines;
    while (line < 0 && row > 0) line += LinesOf(--row);
    while (row < RowCount() - 1 && line >= LinesOf(row)) line -= LinesOf(row++);
    topRow_ = row;
    topLine_ = int(std::clamp<int64_t>(line, 0, LinesOf(row) - 1));
}

void TextView::ScrollAction(int action) {
    // The bar has taken its step by the estimates; the step is taken again,
    // counting the lines passed exactly, so that no line is skipped or shown
    // twice. Moves of the thumb and far jumps go by the estimates.
    QScrollBar* bar = verticalScrollBar();
    int64_t lines = 0;
    switch (action) {
        case QAbstractSlider::SliderSingleStepAdd: lines = bar->singleStep(); break;
        case QAbstractSlider::SliderSingleStepSub: lines = -bar->singleStep(); break;
        case QAbstractSlider::SliderPageStepAdd: lines = bar->pageStep(); break;
        case QAbstractSlider::SliderPageStepSub: lines = -bar->pageStep(); break;
        case QAbstractSlider::SliderMove:  // the wheel's, unless the thumb is held
            if (bar->isSliderDown()) return;
            lines = int64_t(bar->sliderPosition()) - bar->value();
            break;
        default: return;
    }
    if (lines == 0 || std::abs(lines) > 16 * int64_t(pageLines_)) return;
    Walk(lines);
    Settle();
}

void TextView::MeasureLastPage() {
    // The last rows are laid out, so that the end is where the text ends.
    const double height = viewport()->height() - 2 * kMargin;
    double used = 0;
    double lineHeight = 0;
    int lines = 0;
    for (int row = RowCount() - 1; row >= 0 && used <= height; --row) {
        const QTextLayout& layout = Layout(row);
        for (int i = layout.lineCount() - 1; i >= 0; --i) {
            const double h = layout.lineAt(i).height();
            if (lineHeight == 0) lineHeight = h;
            used += h;
            if (used > height) break;
            ++lines;
        }
    }
    if (lineHeight <= 0) lineHeight = QFontMetricsF(font()).height();
    lastPageLines_ = std::max(1, lines);
    pageLines_ = std::max(1, int(height / lineHeight));
    measured_ = viewport()->size();
}

void TextView::Settle() {
    if (viewport()->size() != measured_) MeasureLastPage();
    const int64_t last = std::max<int64_t>(0, lines_.Total() - lastPageLines_);
    topLine_ = std::min(topLine_, LinesOf(topRow_) - 1);
    if (TopLine() > last) {
        const auto [row, line] = lines_.Find(last);
        topRow_ = row;
        topLine_ = int(std::min<int64_t>(line, LinesOf(row) - 1));
    }
    // The rows on screen are counted before they are painted.
    double y = TopRowY();
    for (int row = topRow_; row < RowCount() && y < viewport()->height(); ++row) {
        y += Height(Layout(row));
    }
    topOffset_ = RowStart(topRow_) + Layout(topRow_).lineAt(topLine_).textStart();

    // The bar's range may show or hide it, resizing the viewport and
    // settling the view again within this.
    QScrollBar* bar = verticalScrollBar();
    const bool wasSyncing = std::exchange(syncing_, true);
    bar->setRange(0, int(std::min<int64_t>(last, INT_MAX)));
    bar->setPageStep(pageLines_);
    bar->setValue(int(std::min<int64_t>(TopLine(), INT_MAX)));
    syncing_ = wasSyncing;
    viewport()->update();
}

void TextView::ScrollToOffset(int64_t offset) {
    offset = std::clamp<int64_t>(offset, 0, Length());
    const int row = RowOf(offset);
    const QTextLine line = Layout(row).lineForTextPosition(int(std::min(offset, RowEnd(row)) - RowStart(row)));
    topRow_ = row;
    topLine_ = line.isValid() ? line.lineNumber() : 0;
    Settle();
}

void TextView::EnsureVisible(int64_t offset) {
    const QRect r = CharacterRect(offset);
    if (r.isNull() || r.bottom() >= viewport()->height()) ScrollToOffset(offset);
}

void TextView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    // Lines above the first shown would reach into the top margin.
    const QRectF area(0, kMargin, viewport()->width(), viewport()->height() - kMargin);
    painter.setClipRect(area);
    // As in text editors, the selection shows only while the view has the focus.
    const bool selection = HasSelection() && hasFocus();
    const int64_t selStart = std::min(anchor_, cursor_);
    const int64_t selEnd = std::max(anchor_, cursor_);
    QTextCharFormat selected;
    selected.setBackground(palette().brush(QPalette::Highlight));
    selected.setForeground(palette().brush(QPalette::HighlightedText));
    double y = TopRowY();
    for (int row = topRow_; row < RowCount() && y < viewport()->height(); ++row) {
        const QTextLayout& layout = Layout(row);
        QList<QTextLayout::FormatRange> selections;
        const int64_t start = RowStart(row), end = RowEnd(row), next = rowStarts_[size_t(row) + 1];
        if (selection && selStart <= end && selEnd > start) {
            const int64_t from = std::max(selStart, start);
            // A selected line break shows past the line's end, as Qt shows a paragraph's.
            const int64_t length = std::min(selEnd, end) - from + (selEnd > end && end < next ? 1 : 0);
            if (length > 0) selections.append({int(from - start), int(length), selected});
        }
        layout.draw(&painter, QPointF(kMargin, y), selections, area);
        y += Height(layout);
    }
}

void TextView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (viewport()->width() != layoutWidth_) Rewrap();
    Settle();
}

void TextView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        Rewrap();
        Settle();
    }
}

void TextView::scrollContentsBy(int, int) {
    if (!syncing_) {
        // Moved from outside (the thumb, a jump): the line there by the counts as they stand.
        const auto [row, line] = lines_.Find(verticalScrollBar()->value());
        topRow_ = row;
        topLine_ = int(std::min<int64_t>(line, LinesOf(row) - 1));
        Settle();
    }
    viewport()->update();
}

void TextView::keyPressEvent(QKeyEvent* event) {
    // The keys of a read-only QPlainTextEdit.
    QScrollBar* bar = verticalScrollBar();
    if (event->matches(QKeySequence::SelectAll)) {
        SelectAll();
    } else if (event->matches(QKeySequence::Copy)) {
        Copy();
    } else if (event->key() == Qt::Key_Space) {
        bar->triggerAction(event->modifiers() & Qt::ShiftModifier ? QAbstractSlider::SliderPageStepSub
                                                                   : QAbstractSlider::SliderPageStepAdd);
    } else if (event->key() == Qt::Key_Home && event->modifiers() == Qt::NoModifier) {
        bar->triggerAction(QAbstractSlider::SliderToMinimum);
    } else if (event->key() == Qt::Key_End && event->modifiers() == Qt::NoModifier) {
        bar->triggerAction(QAbstractSlider::SliderToMaximum);
    } else {
        // Lines and pages; other keys are ignored and go on to the parent.
        return QAbstractScrollArea::keyPressEvent(event);
    }
    event->accept();
}

int64_t TextView::OffsetAt(QPoint point, bool* onText) const {
    const QRect area = viewport()->rect();
    const double x = std::clamp(point.x(), area.left(), area.right()) - kMargin;
    // The top margin belongs to the first line shown.
    const double pointY = std::max<double>(kMargin, std::min(point.y(), area.bottom()));
    int row = topRow_;
    double y = TopRowY();
    for (; row < RowCount() - 1; ++row) {
        const double height = Height(Layout(row));
        if (pointY < y + height) break;
        y += height;
    }
    const QTextLayout& layout = Layout(row);
    int i = 0;
    while (i + 1 < layout.lineCount() && layout.lineAt(i + 1).y() <= pointY - y) ++i;
    const QTextLine line = layout.lineAt(i);
    if (onText) *onText = line.naturalTextRect().contains(x, pointY - y);
    return RowStart(row) + line.xToCursor(x);
}

QRect TextView::CharacterRect(int64_t offset) const {
    const int target = RowOf(offset);
    if (target < topRow_) return {};
    double y = TopRowY();
    for (int row = topRow_; row < target; ++row) {
        y += Height(Layout(row));
        if (y >= viewport()->height()) return {};
    }
    const QTextLayout& layout = Layout(target);
    const int pos = int(offset - RowStart(target));
    const QTextLine line = layout.lineForTextPosition(pos);
    if (!line.isValid() || (target == topRow_ && line.lineNumber() < topLine_) || y + line.y() >= viewport()->height())
        return {};
    const double left = line.cursorToX(pos), right = line.cursorToX(pos + 1);
    return QRectF(kMargin + left, y + line.y(), std::max(1.0, right - left), line.height()).toAlignedRect();
}

void TextView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
    const QPoint point = event->position().toPoint();
    autoScroll_.stop();
    selecting_ = true;
    dragPending_ = false;
    // A press soon after a double click, near it, selects the line.
    if (tripleClick_.isActive() &&
        (point - tripleClickPoint_).manhattanLength() < QApplication::startDragDistance()) {
        tripleClick_.stop();
        return SelectUnit(Unit::Line, OffsetAt(point));
    }
    tripleClick_.stop();
    bool onText = false;
    const int64_t offset = OffsetAt(point, &onText);
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    // A press on the selection may start a drag of it.
    if (!shift && HasSelection() && onText && offset >= std::min(anchor_, cursor_) &&
        offset <= std::max(anchor_, cursor_)) {
        selecting_ = false;
        dragPending_ = true;
        pressPoint_ = point;
        return;
    }
    unit_ = Unit::Character;
    Select(shift ? anchor_ : offset, offset);
}

void TextView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) return;
    const QPoint point = event->position().toPoint();
    if (dragPending_) {
        if ((point - pressPoint_).manhattanLength() > QApplication::startDragDistance()) {
            dragPending_ = false;
            StartDrag();
        }
        return;
    }
    if (!selecting_) return;
    dragPoint_ = point;
    // Outside the viewport the text scrolls under the mouse, on a timer,
    // so that it goes on while the mouse stands still.
    if (dragPoint_.y() >= 0 && dragPoint_.y() < viewport()->height()) {
        autoScroll_.stop();
    } else if (!autoScroll_.isActive()) {
        autoScroll_.start(50, this);
    }
    ExtendSelection(OffsetAt(dragPoint_));
}

void TextView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mouseReleaseEvent(event);
    autoScroll_.stop();
    if (dragPending_) {
        // A click on the selection that did not drag places the click there.
        dragPending_ = false;
        unit_ = Unit::Character;
        const int64_t offset = OffsetAt(event->position().toPoint());
        Select(offset, offset);
    } else if (selecting_) {
        // Only now, not at every move: the selection may be huge.
        ShareSelection();
    }
    selecting_ = false;
}

void TextView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mouseDoubleClickEvent(event);
    const QPoint point = event->position().toPoint();
    dragPending_ = false;
    selecting_ = true;
    SelectUnit(Unit::Word, OffsetAt(point));
    tripleClick_.start(QApplication::doubleClickInterval(), this);
    tripleClickPoint_ = point;
}

void TextView::StartDrag() {
    auto* data = new QMimeData;
    try {
        data->setText(SelectedText());
    } catch (const std::bad_alloc&) {
        delete data;
        return;
    }
    // Qt deletes the drag when it is over.
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction);
}

void TextView::timerEvent(QTimerEvent* event) {
    if (event->timerId() == tripleClick_.timerId()) return tripleClick_.stop();
    if (event->timerId() != autoScroll_.timerId()) return QAbstractScrollArea::timerEvent(event);
    verticalScrollBar()->triggerAction(dragPoint_.y() < 0 ? QAbstractSlider::SliderSingleStepSub
                                                          : QAbstractSlider::SliderSingleStepAdd);
    ExtendSelection(OffsetAt(dragPoint_));
}

void TextView::contextMenuEvent(QContextMenuEvent* event) {
    // A read-only QPlainTextEdit's menu, its shortcuts shown as Qt shows them.
    auto text = [](const char* source, QKeySequence::StandardKey key) {
        return QApplication::translate("QWidgetTextControl", source) + QLatin1Char('\t') +
               QKeySequence(key).toString(QKeySequence::NativeText);
    };
    QMenu menu(this);
    QAction* copy = menu.addAction(text("&Copy", QKeySequence::Copy), this, [this] { Copy(); });
    copy->setEnabled(HasSelection());
    copy->setObjectName(QStringLiteral("edit-copy"));
    menu.addSeparator();
    QAction* all = menu.addAction(text("Select All", QKeySequence::SelectAll), this, [this] { SelectAll(); });
    all->setEnabled(Length() > 0);
    all->setObjectName(QStringLiteral("select-all"));
    menu.exec(event->globalPos());
}

// What screen readers see: read-only editable text, read through the text
// interface a range at a time, never whole.
class AccessibleTextView : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AccessibleTextView(TextView* view) : QAccessibleWidget(view, QAccessible::EditableText) {}
    using QAccessibleWidget::text;

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
    void scrollToSubstring(int start, int) override { View()->EnsureVisible(start); }
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
    viewport()->update();
    if (FocusEntered) FocusEntered(event->reason());
}

void TextView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

}  // namespace fw::internal
