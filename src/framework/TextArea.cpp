#include "framework/TextArea.h"

#include "framework/FileType.h"
#include "framework/Internal.h"
#include "framework/QtBridge.h"
#include "framework/Runtime.h"
#include "framework/StandardEditing.h"

#include <QDir>
#include <QDropEvent>
#include <QFocusEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

namespace fw {

namespace {

class PlainEdit : public QPlainTextEdit {
public:
    explicit PlainEdit(TextArea* owner) : owner_(owner) {}

protected:
    void focusInEvent(QFocusEvent* e) override {
        QPlainTextEdit::focusInEvent(e);
        if (owner_->GotFocus) RaiseEvent(owner_->GotFocus);
    }

    void dragEnterEvent(QDragEnterEvent* e) override {
        if (!TakeFileDrag(e)) QPlainTextEdit::dragEnterEvent(e);
    }

    void dragMoveEvent(QDragMoveEvent* e) override {
        if (!TakeFileDrag(e)) QPlainTextEdit::dragMoveEvent(e);
    }

    void dropEvent(QDropEvent* e) override {
        const int action = int(e->proposedAction());
        DragItem item;
        if (FolderItemPtr file = FirstAcceptedFile(e->mimeData())) {
            e->acceptProposedAction();
            item = DragItem(std::move(file));
        } else if (e->mimeData()->hasUrls()) {
            e->ignore();
            return;
        } else {
            QPlainTextEdit::dropEvent(e);
        }
        TextArea* owner = owner_;
        if (owner->DropObject) RaiseEvent([owner, item, action] { owner->DropObject(item, action); });
    }

private:
    // Accepts a drag of an accepted file and refuses one of other files;
    // text is left to the editor (false).
    bool TakeFileDrag(QDragMoveEvent* e) const {
        if (FirstAcceptedFile(e->mimeData()))
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
                if (type && type->Matches(file->Name())) return file;
            }
        }
        return nullptr;
    }

    TextArea* owner_;
};

}  // namespace

TextArea::TextArea() : RectControl(new PlainEdit(this)), edit_(static_cast<QPlainTextEdit*>(Widget())) {
    edit_->setFocusPolicy(Qt::StrongFocus);
    edit_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    edit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit_->setTabChangesFocus(true);
    edit_->setAcceptDrops(true);
    QObject::connect(edit_, &QPlainTextEdit::textChanged, Context(), [this] {
        if (TextChange) RaiseEvent(TextChange);
    });
}

TextArea::~TextArea() = default;

String TextArea::Text() const {
    // The document's raw text: toPlainText would turn no-break spaces into
    // blanks. Blocks end in paragraph separators, which become carriage returns.
    return FromDisplayText(edit_->document()->toRawText());
}

void TextArea::SetText(const String& text) { edit_->setPlainText(ToDisplayText(text)); }

bool TextArea::ReadOnly() const { return edit_->isReadOnly(); }
void TextArea::SetReadOnly(bool on) { edit_->setReadOnly(on); }

void TextArea::SetTextColor(Color color) { SetPaletteColor(edit_, QPalette::Text, color); }

void TextArea::SetBackColor(Color color) { SetPaletteColor(edit_, QPalette::Base, color); }

void TextArea::SetBorder(bool on) { edit_->setFrameShape(on ? QFrame::StyledPanel : QFrame::NoFrame); }

void TextArea::SetScrollbarVertical(bool on) {
    edit_->setVerticalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TextArea::SetAlignment(int align) {
    const Qt::Alignment horizontal = HorizontalAlignment(align);
    QTextOption option = edit_->document()->defaultTextOption();
    option.setAlignment(horizontal);
    edit_->document()->setDefaultTextOption(option);
}

void TextArea::SetAcceptTabs(bool on) { edit_->setTabChangesFocus(!on); }

void TextArea::AcceptFileDrop(const String& fileTypeName) { acceptedTypes_.push_back(fileTypeName.ToUTF8()); }

void TextArea::EnableStandardMenuItems() {
    const bool selected = edit_->textCursor().hasSelection();
    const bool writable = !edit_->isReadOnly();
    internal::EnableStandardEditItems(edit_->document()->isUndoAvailable() && writable, selected && writable,
                                      selected, writable, selected && writable);
}

bool TextArea::HandleStandardMenuItem(const String& itemName) {
    return internal::RunStandardEditItem(itemName, {[this] { edit_->undo(); }, [this] { edit_->cut(); },
                                                    [this] { edit_->copy(); }, [this] { edit_->paste(); },
                                                    [this] { edit_->textCursor().removeSelectedText(); }});
}

}  // namespace fw
