#include "framework/TextArea.h"

#include "framework/FileType.h"
#include "framework/Internal.h"
#include "framework/QtBridge.h"
#include "framework/Runtime.h"
#include "framework/StandardEditing.h"
#include "framework/TextView.h"
#include "framework/Window.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QStackedLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QUrl>

namespace fw {

namespace {

// Words longer than this are broken at any character, and lines longer than
// this keep their layout (see TextArea.h).
constexpr qsizetype kLongLine = 10000;
// The editor takes a megabyte in some 70 ms: the program's longer writes go
// to the view, and text moves into the editor a slice of this size at a time.
constexpr size_t kEditorSlice = size_t(1) << 20;

// Every line break (LF, CR LF) as one carriage return, as the editor reads
// its lines back.
String WithCarriageReturns(String text) {
    const std::string& bytes = text.Bytes();
    if (bytes.find('\n') == std::string::npos) return text;
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        out += bytes[i] == '\n' ? '\r' : bytes[i];
    }
    return String::FromBytes(std::move(out), text.Encoding());
}

// Whether text holds a word longer than kLongLine; run carries the length
// of the word under way from one slice of a text to the next.
bool HasLongWord(QStringView text, qsizetype& run) {
    bool found = false;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        found = found || run > kLongLine;
    }
    return found;
}

bool HasLongWord(QStringView text) {
    qsizetype run = 0;
    return HasLongWord(text, run);
}

// The end of a slice of about size units from at: just after the last line
// break in it, or, in a line longer than that, just after the line's end
// (CR, or LF in display form), so that a slice never ends inside a line.
template <class Units>
size_t SliceEnd(const Units& units, size_t at, size_t size, char16_t lineBreak) {
    const size_t n = size_t(units.size());
    if (n - at <= size) return n;
    for (size_t i = at + size; i > at; --i)
        if (units[i - 1] == lineBreak) return i;
    for (size_t i = at + size; i < n; ++i)
        if (units[i] == lineBreak) return i + 1;
    return n;
}

// Calls take with text in display form, a slice of about sliceBytes at a
// time, each ending with a line (see SliceEnd), until it returns false.
template <class Take>
void ForEachSlice(const String& text, size_t sliceBytes, Take take) {
    const std::string& b = text.Bytes();
    const TextEncoding enc = text.Encoding();
    if (!(enc.IsNil() || enc == Encodings::MacRoman() || enc == Encodings::UTF8())) {
        // Other encodings are decoded whole and cut in display form.
        const QString all = ToDisplayText(text);
        for (size_t at = 0; at < size_t(all.size());) {
            const size_t end = SliceEnd(all, at, sliceBytes, u'\n');
            if (!take(all.mid(qsizetype(at), qsizetype(end - at)))) return;
            at = end;
        }
        return;
    }
    // A carriage return is a byte of its own in all three: the cut never
    // falls inside a character.
    for (size_t at = 0; at < b.size();) {
        const size_t end = SliceEnd(b, at, sliceBytes, u'\r');
        if (!take(ToDisplayText(String::FromBytes(b.substr(at, end - at), enc)))) return;
        at = end;
    }
}

// Lines longer than kLongLine among [position, position + added) keep their
// layout.
void KeepLongLayouts(QTextDocument* doc, int position, int added) {
    const QTextBlock last = doc->findBlock(position + added);
    for (QTextBlock b = doc->findBlock(position); b.isValid(); b = b.next()) {
        if (b.length() > kLongLine) b.layout()->setCacheEnabled(true);
        if (b == last) break;
    }
}

// Keeps what an area does meanwhile (moving its text between its widgets,
// inserting a drop) from being heard of as a change.
class QuietScope {
public:
    explicit QuietScope(bool& quiet) : quiet_(quiet), was_(quiet) { quiet = true; }
    ~QuietScope() { quiet_ = was_; }
    QuietScope(const QuietScope&) = delete;
    QuietScope& operator=(const QuietScope&) = delete;

private:
    bool& quiet_;
    bool was_;
};

}  // namespace

// The control's own widget: it shows the area's editor or its view, never
// both, each filling it.
class AreaBox : public QWidget {
public:
    AreaBox() : stack_(new QStackedLayout(this)) { stack_->setContentsMargins(0, 0, 0, 0); }
    QStackedLayout* Stack() const { return stack_; }

private:
    QStackedLayout* stack_;
};

namespace {

// Screen readers find the shown widget alone in the box: the hidden one has
// no place in the tree.
class AccessibleAreaBox : public QAccessibleWidget {
public:
    explicit AccessibleAreaBox(AreaBox* box) : QAccessibleWidget(box, QAccessible::Client) {}
    int childCount() const override { return Shown() ? 1 : 0; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 && Shown() ? QAccessible::queryAccessibleInterface(Shown()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && Shown() && child->object() == Shown() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        QAccessibleInterface* shown = child(0);
        return shown && shown->rect().contains(x, y) ? shown : nullptr;
    }

private:
    QWidget* Shown() const { return static_cast<AreaBox*>(widget())->Stack()->currentWidget(); }
};

QAccessibleInterface* AccessibleAreaFor(const QString&, QObject* object) {
    auto* box = dynamic_cast<AreaBox*>(object);
    return box ? new AccessibleAreaBox(box) : nullptr;
}

}  // namespace

// The editor behind an area.
class AreaEditor : public QPlainTextEdit {
public:
    explicit AreaEditor(TextArea* owner) : owner_(owner) { WatchLongLines(); }

    void BreakLongWords(bool anywhere) {
        setWordWrapMode(anywhere ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere);
    }

    // A text in display form, the editor set to break its words as they need.
    QString Prepared(const String& text) {
        QString shown = ToDisplayText(text);
        BreakLongWords(HasLongWord(shown));
        return shown;
    }

    // The document position shown at the top.
    int TopPosition() const { return firstVisibleBlock().position(); }

protected:
    void focusInEvent(QFocusEvent* e) override {
        QPlainTextEdit::focusInEvent(e);
        if (owner_->GotFocus && !owner_->switching_) RaiseEvent(owner_->GotFocus);
    }

    void insertFromMimeData(const QMimeData* source) override {
        if (source && source->hasText() && HasLongWord(source->text())) BreakLongWords(true);
        QPlainTextEdit::insertFromMimeData(source);
    }

    void dragEnterEvent(QDragEnterEvent* e) override {
        dragFile_ = FirstAcceptedFile(e->mimeData());
        if (!TakeFileDrag(e)) QPlainTextEdit::dragEnterEvent(e);
    }

    void dragMoveEvent(QDragMoveEvent* e) override {
        if (!TakeFileDrag(e)) QPlainTextEdit::dragMoveEvent(e);
    }

    void dragLeaveEvent(QDragLeaveEvent* e) override {
        dragFile_.reset();
        QPlainTextEdit::dragLeaveEvent(e);
    }

    void dropEvent(QDropEvent* e) override {
        DragItem item;
        if (FolderItemPtr file = std::exchange(dragFile_, nullptr)) {
            e->acceptProposedAction();
            item = DragItem(std::move(file));
        } else if (e->mimeData()->hasUrls() || isReadOnly()) {
            e->ignore();
            return;
        } else {
            // The insertion is heard of once, below, after the drop.
            if (owner_->DropObject) {
                QuietScope quiet(owner_->quiet_);
                QPlainTextEdit::dropEvent(e);
            } else {
                QPlainTextEdit::dropEvent(e);
            }
        }
        // What the drop brings is handled once the drop has ended.
        const int action = int(e->proposedAction());
        QPointer<AreaEditor> self(this);
        QMetaObject::invokeMethod(
            this,
            [self, item, action] {
                if (!self) return;
                TextArea* owner = self->owner_;
                if (owner->DropObject)
                    RaiseEvent([owner, item, action] { owner->DropObject(item, action); });
                else if (!item.FolderItemAvailable())
                    owner->RaiseTextChange();
            },
            Qt::QueuedConnection);
    }

private:
    // A line is laid out anew at every repaint (each blink of the caret),
    // unless its layout is kept: long lines keep theirs, or an idle area with
    // a line of megabytes would keep a core busy.
    void WatchLongLines() {
        QTextDocument* doc = document();
        QObject::connect(doc, &QTextDocument::contentsChange, doc,
                         [doc](int position, int, int added) { KeepLongLayouts(doc, position, added); });
    }

    // Accepts a drag of an accepted file and refuses one of other files;
    // text is left to the editor (false).
    bool TakeFileDrag(QDragMoveEvent* e) const {
        if (dragFile_)
            e->acceptProposedAction();
        else if (e->mimeData()->hasUrls())
            e->ignore();
        else
            return false;
        return true;
    }

    // The first dropped local file of an accepted type.
    FolderItemPtr FirstAcceptedFile(const QMimeData* data) const {
        if (!data || !data->hasUrls()) return nullptr;
        for (const QUrl& url : data->urls()) {
            if (!url.isLocalFile()) continue;
            const String path = FromQString(QDir::toNativeSeparators(url.toLocalFile()));
            auto file = std::make_shared<FolderItem>(path);
            for (const std::string& name : owner_->AcceptedFileTypes()) {
                const FileType* type = RegisteredFileType(String(name));
                if (type && type->Matches(*file)) return file;
            }
        }
        return nullptr;
    }

    TextArea* owner_;
    // The accepted file of the drag under way, decided once as it enters.
    FolderItemPtr dragFile_;
};

namespace {

// The selection shows only while the editor has the keyboard focus: without
// it, the editor paints it in the inactive colours, here those of plain text.
void HideSelectionWithoutFocus(QPlainTextEdit* edit) {
    QPalette palette = edit->palette();
    palette.setBrush(QPalette::Inactive, QPalette::Highlight, Qt::transparent);
    palette.setBrush(QPalette::Inactive, QPalette::HighlightedText, palette.brush(QPalette::Inactive, QPalette::Text));
    edit->setPalette(palette);
}

// A key that edits, reaching the view of an area that may be edited (its
// text not yet moved into the editor), moves the text and goes on to the
// editor; the view keeps the keys it uses (copying, scrolling).
class ViewKeys : public QObject {
public:
    explicit ViewKeys(std::function<QWidget*()> takeIntoEditor) : take_(std::move(takeIntoEditor)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const QString typed = key->text();
        const bool edits = (!typed.isEmpty() && typed.at(0).isPrint()) || key->matches(QKeySequence::Paste) ||
                           key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Undo) ||
                           key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                           key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete;
        QWidget* editor = edits ? take_() : nullptr;
        if (!editor) return false;
        QCoreApplication::sendEvent(editor, event);
        return true;
    }

private:
    std::function<QWidget*()> take_;
};

}  // namespace

TextArea::TextArea()
    : RectControl(new AreaBox()),
      box_(static_cast<AreaBox*>(Widget())),
      edit_(new AreaEditor(this)),
      view_(new internal::TextView()) {
    static const bool accessible = (QAccessible::installFactory(AccessibleAreaFor), true);
    (void)accessible;
    box_->Stack()->addWidget(edit_);
    box_->Stack()->addWidget(view_);
    box_->Stack()->setCurrentWidget(edit_);
    box_->setFocusProxy(edit_);
    edit_->setFocusPolicy(Qt::StrongFocus);
    edit_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    edit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit_->setTabChangesFocus(true);
    edit_->setAcceptDrops(true);
    HideSelectionWithoutFocus(edit_);
    view_->setFocusPolicy(Qt::StrongFocus);
    view_->setAcceptDrops(false);
    view_->viewport()->setAcceptDrops(false);
    view_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QObject::connect(edit_, &QPlainTextEdit::textChanged, Context(), [this] {
        if (!quiet_) RaiseTextChange();
    });
    auto* keys = new ViewKeys([this]() -> QWidget* {
        if (readOnly_) return nullptr;
        bool moved = false;
        RaiseEvent([this, &moved] { moved = TakeIntoEditor(); });
        return moved ? edit_ : nullptr;
    });
    keys->setParent(view_);
    view_->installEventFilter(keys);
    view_->FocusEntered = [this](Qt::FocusReason) {
        if (GotFocus && !switching_) RaiseEvent(GotFocus);
    };
}

TextArea::~TextArea() = default;

bool TextArea::Viewing() const { return box_->Stack()->currentWidget() == view_; }

void TextArea::RaiseTextChange() {
    if (TextChange) RaiseEvent(TextChange);
}

void TextArea::Show(QWidget* shown) {
    if (box_->Stack()->currentWidget() == shown) return;
    // The stack hands the focus on to the widget it shows, also the focus
    // the window will give back when it is active again.
    switching_ = true;
    box_->Stack()->setCurrentWidget(shown);
    box_->setFocusProxy(shown);
    switching_ = false;
}

void TextArea::ShowInView(String&& text) {
    ++fills_;
    view_->SetText(WithCarriageReturns(std::move(text)));
    Show(view_);
    if (!edit_->document()->isEmpty()) {
        QuietScope quiet(quiet_);
        edit_->clear();
    }
}

void TextArea::TakeIntoEditorLater() {
    if (editorDue_) return;
    editorDue_ = true;
    internal::WhenNoHandlerRuns([this, alive = QPointer<QObject>(Context())] {
        if (!alive) return;
        editorDue_ = false;
        // A failure leaves the text where it is, in the view.
        if (!readOnly_ && Viewing()) RaiseEvent([this] { TakeIntoEditor(); });
    });
}

bool TextArea::Overtaken(unsigned fill) const {
    return fill != fills_ || readOnly_ || Quitting() || (Window() && Window()->IsClosed());
}

bool TextArea::FillEditor(const String& text, unsigned fill) {
    // The editor is hidden meanwhile, and every slice adds whole lines: its
    // layout only notes the new lines and lays out none of them, and the
    // editor lays out what it shows once it is shown.
    auto* editor = static_cast<AreaEditor*>(edit_);
    QTextDocument* doc = edit_->document();
    bool overtaken = false;
    qsizetype run = 0;
    QuietScope quiet(quiet_);
    if (!doc->isEmpty()) edit_->clear();
    editor->BreakLongWords(false);
    QTextCursor end(doc);
    doc->setUndoRedoEnabled(false);
    // A failure (memory running out) leaves the editor empty, the text in the view.
    try {
        // The view keeps the text whole meanwhile: it is read a slice at a
        // time, each only while no newer write has replaced it.
        ForEachSlice(text, kEditorSlice, [&](const QString& slice) {
            if (HasLongWord(slice, run)) editor->BreakLongWords(true);
            end.insertText(slice);
            YieldToScheduler();
            overtaken = Overtaken(fill);
            return !overtaken;
        });
    } catch (...) {
        edit_->clear();
        doc->setUndoRedoEnabled(true);
        throw;
    }
    if (overtaken) edit_->clear();
    doc->setUndoRedoEnabled(true);
    return !overtaken;
}

bool TextArea::TakeIntoEditor() {
    const unsigned fill = ++fills_;
    const String& text = view_->Text();
    const int64_t anchor = view_->SelectionAnchor(), cursor = view_->SelectionCursor();
    const int64_t top = view_->FirstVisibleOffset();
    if (text.Bytes().size() <= kEditorSlice) {
        const QString shown = static_cast<AreaEditor*>(edit_)->Prepared(text);
        QuietScope quiet(quiet_);
        edit_->setPlainText(shown);
    } else if (!FillEditor(text, fill)) {
        return false;
    }
    Show(edit_);
    // The user goes on where the view was, with its selection.
    QTextDocument* doc = edit_->document();
    const int64_t last = doc->characterCount() - 1;
    QTextCursor place(doc);
    place.setPosition(int(std::clamp<int64_t>(anchor, 0, last)));
    place.setPosition(int(std::clamp<int64_t>(cursor, 0, last)), QTextCursor::KeepAnchor);
    edit_->setTextCursor(place);
    edit_->verticalScrollBar()->setValue(doc->findBlock(int(std::clamp<int64_t>(top, 0, last))).firstLineNumber());
    view_->SetText(String());
    return true;
}

String TextArea::Text() const {
    if (Viewing()) return view_->Text();
    // The document's raw text: toPlainText would turn no-break spaces into
    // blanks. Blocks end in paragraph separators, which become carriage returns.
    return FromDisplayText(edit_->document()->toRawText());
}

void TextArea::SetText(const String& text) { SetText(String(text)); }

void TextArea::SetText(String&& text) {
    // The user's own text stays in the editor, where Undo can bring it back.
    if (!Viewing() && !readOnly_ && text.Bytes().size() <= kEditorSlice) {
        ++fills_;
        const QString shown = static_cast<AreaEditor*>(edit_)->Prepared(text);
        QTextCursor cursor(edit_->document());
        cursor.beginEditBlock();
        cursor.select(QTextCursor::Document);
        cursor.insertText(shown);
        cursor.endEditBlock();
        return;
    }
    ShowInView(std::move(text));
    if (!readOnly_) TakeIntoEditorLater();
    RaiseTextChange();
}

bool TextArea::ReadOnly() const { return readOnly_; }

void TextArea::SetReadOnly(bool on) {
    readOnly_ = on;
    edit_->setReadOnly(on);
    if (on && !Viewing()) {
        const QTextCursor cursor = edit_->textCursor();
        const int top = static_cast<AreaEditor*>(edit_)->TopPosition();
        ShowInView(Text());
        view_->ScrollToOffset(top);
        view_->Select(cursor.anchor(), cursor.position());
    } else if (!on && Viewing()) {
        TakeIntoEditorLater();
    }
}

void TextArea::SetTextColor(Color color) {
    for (QWidget* w : {static_cast<QWidget*>(edit_), static_cast<QWidget*>(view_)})
        SetPaletteColor(w, QPalette::Text, color);
    HideSelectionWithoutFocus(edit_);
}

void TextArea::SetBackColor(Color color) {
    for (QWidget* w : {static_cast<QWidget*>(edit_), static_cast<QWidget*>(view_)})
        SetPaletteColor(w, QPalette::Base, color);
}

void TextArea::SetBorder(bool on) {
    edit_->setFrameShape(on ? QFrame::StyledPanel : QFrame::NoFrame);
    view_->setFrameShape(edit_->frameShape());
}

void TextArea::SetScrollbarVertical(bool on) {
    const auto policy = on ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    edit_->setVerticalScrollBarPolicy(policy);
    view_->setVerticalScrollBarPolicy(policy);
}

void TextArea::SetAlignment(int align) {
    const Qt::Alignment horizontal = HorizontalAlignment(align);
    QTextOption option = edit_->document()->defaultTextOption();
    option.setAlignment(horizontal);
    edit_->document()->setDefaultTextOption(option);
    view_->SetAlignment(horizontal);
}

void TextArea::SetAcceptTabs(bool on) { edit_->setTabChangesFocus(!on); }

void TextArea::SetAccessibleName(const String& name) {
    edit_->setAccessibleName(ToQString(name));
    view_->setAccessibleName(ToQString(name));
}

void TextArea::SetTabStop(bool on) {
    edit_->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
    view_->setFocusPolicy(edit_->focusPolicy());
}

void TextArea::AcceptFileDrop(const String& fileTypeName) { acceptedTypes_.push_back(fileTypeName.ToUTF8()); }

void TextArea::EnableStandardMenuItems() {
    // The view shows a read-only text, or one on its way into the editor.
    if (Viewing()) {
        internal::EnableStandardEditItems(false, false, view_->HasSelection(), false, false);
        return;
    }
    const bool writable = !edit_->isReadOnly();
    const bool selected = edit_->textCursor().hasSelection();
    internal::EnableStandardEditItems(edit_->document()->isUndoAvailable() && writable, selected && writable,
                                      selected, writable, selected && writable);
}

bool TextArea::HandleStandardMenuItem(const String& itemName) {
    if (Viewing()) return internal::RunStandardEditItem(itemName, {{}, {}, [this] { view_->Copy(); }, {}, {}});
    return internal::RunStandardEditItem(itemName, {[this] { edit_->undo(); }, [this] { edit_->cut(); },
                                                    [this] { edit_->copy(); }, [this] { edit_->paste(); },
                                                    [this] { edit_->textCursor().removeSelectedText(); }});
}

}  // namespace fw
