#include "framework/MessageDialog.h"

#include "framework/Internal.h"
#include "framework/QtAccess.h"
#include "framework/QtBridge.h"
#include "framework/Testing.h"
#include "framework/Window.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include <map>
#include <optional>

namespace fw {

namespace {

struct DialogSeam {
    std::vector<testing::ShownMessageDialog> shown;
    std::optional<std::string> nextAnswer;
};

DialogSeam& Seam() {
    static DialogSeam seam;
    return seam;
}

// Test mode records the dialog and answers it with the button the test
// chose, the action button by default.
MessageDialogButton* AnswerInTestMode(MessageDialog& d) {
    testing::ShownMessageDialog record{d.Message().ToUTF8(), d.Explanation().ToUTF8(), {}};
    std::vector<MessageDialogButton*> visible;
    for (MessageDialogButton* b : {d.AlternateActionButton(), d.CancelButton(), d.ActionButton()})
        if (b->Visible()) {
            visible.push_back(b);
            record.buttons.push_back(b->Caption().ToUTF8());
        }
    Seam().shown.push_back(std::move(record));
    const std::optional<std::string> answer = std::exchange(Seam().nextAnswer, std::nullopt);
    if (!answer) return d.ActionButton()->Visible() ? d.ActionButton() : nullptr;
    for (MessageDialogButton* b : visible)
        if (b->Caption().ToUTF8() == *answer) return b;
    return nullptr;
}

}  // namespace

MessageDialogButton* MessageDialog::ShowModalWithin(Window* parent) {
    internal::Trace("MessageDialog");
    if (internal::TestMode()) return AnswerInTestMode(*this);

    QWidget* parentWidget = parent ? internal::QtAccess::Window(parent) : QApplication::activeWindow();
    QPointer<QMessageBox> box = new QMessageBox(parentWidget);
    box->setWindowModality(parentWidget ? Qt::WindowModal : Qt::ApplicationModal);
    box->setWindowTitle(QApplication::applicationDisplayName());
    // The message stands out in bold above the explanation.
    box->setTextFormat(Qt::RichText);
    box->setText("<b>" + ToDisplayText(message_).toHtmlEscaped().replace('\n', "<br>") + "</b>");
    box->setInformativeText(ToDisplayText(explanation_));
    if (!QApplication::windowIcon().isNull()) box->setIconPixmap(QApplication::windowIcon().pixmap(64));

    std::map<QAbstractButton*, MessageDialogButton*> buttons;
    const auto add = [&](MessageDialogButton& b, QMessageBox::ButtonRole role) {
        if (!b.Visible()) return static_cast<QPushButton*>(nullptr);
        QPushButton* button = box->addButton(ToQString(b.Caption()).replace('&', "&&"), role);
        buttons[button] = &b;
        return button;
    };
    add(alternate_, QMessageBox::DestructiveRole);
    if (QPushButton* cancel = add(cancel_, QMessageBox::RejectRole)) box->setEscapeButton(cancel);
    if (QPushButton* action = add(action_, QMessageBox::AcceptRole)) box->setDefaultButton(action);

    box->exec();
    // The parent, and the box with it, may be gone by now.
    if (!box) return nullptr;
    const auto it = buttons.find(box->clickedButton());
    MessageDialogButton* pressed = it == buttons.end() ? nullptr : it->second;
    delete box;
    return pressed;
}

namespace testing {

std::vector<ShownMessageDialog> TakeMessageDialogs() { return std::exchange(Seam().shown, {}); }

void AnswerNextMessageDialog(const std::string& caption) { Seam().nextAnswer = caption; }

}  // namespace testing

}  // namespace fw
