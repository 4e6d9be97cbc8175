#include "framework/TextArea.h"

#include "framework/FileType.h"
#include "framework/Internal.h"
#include "framework/QtBridge.h"
#include "framework/Runtime.h"
#include "framework/StandardEditing.h"
#include "framework/TextView.h"

#include <QDir>
#include <QDropEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
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
// The editor takes a megabyte in some 70 ms; a longer text the program
// writes goes to the view, which takes hundreds of megabytes in less.
constexpr size_t kLongestEditorWrite = size_t(1) << 20;

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

bool HasLongWord(QStringView text) {
    qsizetype run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > kLongLine) return true;
    }
    return false;
}

}  // namespace

// The editor behind an area, and the view's host: the view lies over it,
// filling it, whenever the area shows its text in the view.
class AreaEditor : public QPlainTextEdit {
public:
    explicit AreaEditor(TextArea* owner) : owner_(owner) {}

    void BreakLongWords(bool anywhere) {
        QTextOption option = document()->defaultTextOption();
        const auto mode = anywhere ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere;
        if (option.wrapMode() == mode) return;
        option.setWrapMode(mode);
        document()->setDefaultTextOption(option);
    }

protected:
    void focusInEvent(QFocusEvent* e) override {
        QPlainTextEdit::focusInEvent(e);
        if (owner_->GotFocus) RaiseEvent(owner_->GotFocus);
    }

    void resizeEvent(QResizeEvent* e) override {
        QPlainTextEdit::resizeEvent(e);
        owner_->view_->setGeometry(rect());
    }

    // Keys the view does not take come here: typing into the view of an area
    // that may be edited moves its text into the editor first.
    void keyPressEvent(QKeyEvent* e) override {
        if (owner_->Viewing()) {
            const QString typed = e->text();
            const bool edits = (!typed.isEmpty() && typed.at(0).isPrint()) || e->key() == Qt::Key_Return ||
                               e->key() == Qt::Key_Enter || e->key() == Qt::Key_Backspace ||
                               e->key() == Qt::Key_Delete;
            if (isReadOnly() || !edits) return e->ignore();
            owner_->TakeIntoEditor();
        }
        QPlainTextEdit::keyPressEvent(e);
    }

    void insertFromMimeData(const QMimeData* source) override {
        if (source && source->hasText() && HasLongWord(source->text())) BreakLongWords(true);
        QPlainTextEdit::insertFromMimeData(source);
    }

    // Drops reach the editor also while the view lies over it (the view takes
    // none itself).
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
        } else if (e->mimeData()->hasUrls()) {
            e->ignore();
            return;
        } else if (owner_->Viewing() && owner_->ReadOnly()) {
            e->ignore();
            return;
        } else {
            if (owner_->Viewing()) owner_->TakeIntoEditor();
            // The insertion is heard of once, below, after the drop.
            owner_->quiet_ = owner_->DropObject != nullptr;
            QPlainTextEdit::dropEvent(e);
            owner_->quiet_ = false;
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

TextArea::TextArea()
    : RectControl(new AreaEditor(this)),
      edit_(static_cast<QPlainTextEdit*>(Widget())),
      view_(new internal::TextView(edit_)) {
    edit_->setFocusPolicy(Qt::StrongFocus);
    edit_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    edit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit_->setTabChangesFocus(true);
    edit_->setAcceptDrops(true);
    view_->setAcceptDrops(false);
    view_->viewport()->setAcceptDrops(false);
    view_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view_->hide();
    QObject::connect(edit_, &QPlainTextEdit::textChanged, Context(), [this] {
        if (!quiet_) RaiseTextChange();
    });
    // A line is laid out anew at every repaint (each blink of the caret),
    // unless its layout is kept: long lines keep theirs, or an idle area with
    // a line of megabytes would keep a core busy.
    QObject::connect(edit_->document(), &QTextDocument::contentsChange, Context(),
                     [this](int position, int, int added) {
                         QTextDocument* doc = edit_->document();
                         const QTextBlock last = doc->findBlock(position + added);
                         for (QTextBlock b = doc->findBlock(position); b.isValid(); b = b.next()) {
                             if (b.length() > kLongLine) b.layout()->setCacheEnabled(true);
                             if (b == last) break;
                         }
                     });
    // The user entering the view of an area that may be edited moves its
    // text into the editor (so does typing into it, below); entering a
    // read-only one is the area's focus all the same.
    view_->FocusEntered = [this](Qt::FocusReason reason) {
        const bool byUser = reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
                            reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
        if (!edit_->isReadOnly() && byUser)
            TakeIntoEditor();
        else if (GotFocus)
            RaiseEvent(GotFocus);
    };
}

TextArea::~TextArea() = default;

bool TextArea::Viewing() const { return !view_->isHidden(); }

void TextArea::RaiseTextChange() {
    if (TextChange) RaiseEvent(TextChange);
}

void TextArea::ShowView() {
    if (Viewing()) return;
    view_->setAccessibleName(edit_->accessibleName());
    view_->setFocusPolicy(edit_->focusPolicy());
    const bool hadFocus = edit_->hasFocus();
    view_->setGeometry(edit_->rect());
    view_->show();
    view_->raise();
    edit_->setFocusProxy(view_);
    quiet_ = true;
    edit_->clear();
    quiet_ = false;
    if (hadFocus) view_->setFocus(Qt::OtherFocusReason);
}

void TextArea::TakeIntoEditor() {
    if (!Viewing()) return;
    const QString text = ToDisplayText(view_->Text());
    const bool hadFocus = view_->hasFocus();
    edit_->setFocusProxy(nullptr);
    view_->hide();
    if (hadFocus) edit_->setFocus(Qt::OtherFocusReason);
    static_cast<AreaEditor*>(edit_)->BreakLongWords(HasLongWord(text));
    quiet_ = true;
    edit_->setPlainText(text);
    quiet_ = false;
    // Typing goes on at the end of the text, as it would in a field.
    edit_->moveCursor(QTextCursor::End);
    view_->SetText(String());
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
    if (!Viewing() && text.Bytes().size() <= kLongestEditorWrite &&
        (edit_->hasFocus() || !edit_->document()->isEmpty())) {
        const QString shown = ToDisplayText(text);
        auto* editor = static_cast<AreaEditor*>(edit_);
        editor->BreakLongWords(HasLongWord(shown));
        QTextCursor cursor(edit_->document());
        cursor.beginEditBlock();
        cursor.select(QTextCursor::Document);
        cursor.insertText(shown);
        cursor.endEditBlock();
        return;
    }
    ShowView();
    view_->SetText(WithCarriageReturns(std::move(text)));
    RaiseTextChange();
}

bool TextArea::ReadOnly() const { return edit_->isReadOnly(); }

void TextArea::SetReadOnly(bool on) {
    // Read-only first: the view, given the keyboard, must keep the text.
    edit_->setReadOnly(on);
    if (on && !Viewing()) {
        String text = Text();
        ShowView();
        view_->SetText(std::move(text));
    }
}

void TextArea::SetTextColor(Color color) { SetPaletteColor(edit_, QPalette::Text, color); }

void TextArea::SetBackColor(Color color) { SetPaletteColor(edit_, QPalette::Base, color); }

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

void TextArea::AcceptFileDrop(const String& fileTypeName) { acceptedTypes_.push_back(fileTypeName.ToUTF8()); }

void TextArea::EnableStandardMenuItems() {
    const bool writable = !edit_->isReadOnly();
    if (Viewing()) {
        internal::EnableStandardEditItems(false, false, view_->HasSelection(), writable, false);
        return;
    }
    const bool selected = edit_->textCursor().hasSelection();
    internal::EnableStandardEditItems(edit_->document()->isUndoAvailable() && writable, selected && writable,
                                      selected, writable, selected && writable);
}

bool TextArea::HandleStandardMenuItem(const String& itemName) {
    if (Viewing()) {
        return internal::RunStandardEditItem(itemName, {{}, {}, [this] { view_->Copy(); },
                                                        [this] {
                                                            TakeIntoEditor();
                                                            edit_->paste();
                                                        },
                                                        {}});
    }
    return internal::RunStandardEditItem(itemName, {[this] { edit_->undo(); }, [this] { edit_->cut(); },
                                                    [this] { edit_->copy(); }, [this] { edit_->paste(); },
                                                    [this] { edit_->textCursor().removeSelectedText(); }});
}

}  // namespace fw
