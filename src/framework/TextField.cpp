#include "framework/TextField.h"

#include "framework/Internal.h"
#include "framework/Keys.h"
#include "framework/QtBridge.h"
#include "framework/Runtime.h"
#include "framework/StandardEditing.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>

#include <limits>

namespace fw {

namespace {

class LineEdit : public QLineEdit {
public:
    explicit LineEdit(TextField* owner) : owner_(owner) {}

protected:
    bool event(QEvent* e) override {
        // Tab moves the focus before a key press reaches keyPressEvent; the
        // program still sees it first.
        if (e->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(e);
            if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && RaiseKeyDown(key)) return true;
        }
        return QLineEdit::event(e);
    }

    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) {
            QLineEdit::keyPressEvent(e);
            return;
        }
        QPointer<LineEdit> self(this);
        if (RaiseKeyDown(e) || !self) return;
        QLineEdit::keyPressEvent(e);
    }

    void focusInEvent(QFocusEvent* e) override {
        QLineEdit::focusInEvent(e);
        if (owner_->GotFocus) RaiseEvent(owner_->GotFocus);
    }

    void focusOutEvent(QFocusEvent* e) override {
        QLineEdit::focusOutEvent(e);
        if (owner_->LostFocus) RaiseEvent(owner_->LostFocus);
    }

private:
    // True when the program kept the key from the field.
    bool RaiseKeyDown(QKeyEvent* e) {
        if (!owner_->KeyDown) return false;
        const String key = internal::KeyText(e);
        if (key.IsEmpty()) return false;
        TextField* owner = owner_;
        return RaiseEvent<bool>([owner, &key] { return owner->KeyDown && owner->KeyDown(key); }, false);
    }

    TextField* owner_;
};

// Positions in a QString count UTF-16 units; the program counts characters.
int ToCharacters(const QString& text, int units) {
    units = std::clamp(units, 0, static_cast<int>(text.size()));
    return static_cast<int>(QStringView(text).left(units).toUcs4().size());
}

int ToUnits(const QString& text, int characters) {
    int units = 0;
    for (int c = 0; c < characters && units < text.size(); ++c)
        units += text.at(units).isHighSurrogate() && units + 1 < text.size() ? 2 : 1;
    return units;
}

}  // namespace

TextField::TextField() : RectControl(new LineEdit(this)), edit_(static_cast<QLineEdit*>(Widget())) {
    edit_->setFocusPolicy(Qt::StrongFocus);
    SetLimitText(0);
    QObject::connect(edit_, &QLineEdit::textChanged, Context(), [this] {
        if (TextChange) RaiseEvent(TextChange);
    });
}

TextField::~TextField() = default;

String TextField::Text() const { return FromDisplayText(edit_->text()); }
void TextField::SetText(const String& text) { edit_->setText(ToDisplayText(text)); }

int TextField::SelStart() const {
    const int units = edit_->hasSelectedText() ? edit_->selectionStart() : edit_->cursorPosition();
    return ToCharacters(edit_->text(), units);
}

void TextField::SetSelStart(int start) { edit_->setCursorPosition(ToUnits(edit_->text(), std::max(start, 0))); }

int TextField::SelLength() const { return ToCharacters(edit_->selectedText(), edit_->selectedText().size()); }

void TextField::SetSelLength(int length) {
    const QString text = edit_->text();
    const int start = SelStart();
    const int startUnits = ToUnits(text, start);
    edit_->setSelection(startUnits, ToUnits(text, start + std::max(length, 0)) - startUnits);
}

String TextField::SelText() const { return FromDisplayText(edit_->selectedText()); }

void TextField::SetTextColor(Color color) { SetPaletteColor(edit_, QPalette::Text, color); }

void TextField::SetBackColor(Color color) { SetPaletteColor(edit_, QPalette::Base, color); }

void TextField::SetBorder(bool on) { edit_->setFrame(on); }

void TextField::SetAlignment(int align) {
    const Qt::Alignment horizontal = HorizontalAlignment(align);
    edit_->setAlignment(horizontal | Qt::AlignVCenter);
}

void TextField::SetPassword(bool on) { edit_->setEchoMode(on ? QLineEdit::Password : QLineEdit::Normal); }
bool TextField::ReadOnly() const { return edit_->isReadOnly(); }
void TextField::SetReadOnly(bool on) { edit_->setReadOnly(on); }
void TextField::SetLimitText(int characters) {
    // Qt's own default would cut pasted text at 32,767 characters.
    edit_->setMaxLength(characters > 0 ? characters : std::numeric_limits<int>::max());
}
void TextField::SetCueText(const String& text) { edit_->setPlaceholderText(ToQString(text)); }

void TextField::EnableStandardMenuItems() {
    const bool selected = edit_->hasSelectedText();
    const bool writable = !edit_->isReadOnly();
    internal::EnableStandardEditItems(edit_->isUndoAvailable() && writable, selected && writable,
                                      selected && edit_->echoMode() == QLineEdit::Normal, writable,
                                      selected && writable);
}

bool TextField::HandleStandardMenuItem(const String& itemName) {
    return internal::RunStandardEditItem(itemName, {[this] { edit_->undo(); }, [this] { edit_->cut(); },
                                                    [this] { edit_->copy(); }, [this] { edit_->paste(); },
                                                    [this] { edit_->del(); }});
}

}  // namespace fw
