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

namespace fw {

namespace {

std::vector<testing::ShownMessageDialog>& ShownInTestMode() {
    static std::vector<testing::ShownMessageDialog> shown;
    return shown;
}

// Test mode records the dialog and answers it with its action button.
MessageDialogButton* AnswerInTestMode(MessageDialog& d) {
    testing::ShownMessageDialog record{d.Message().ToUTF8(), d.Explanation().ToUTF8(), {}};
    for (MessageDialogButton* b : {d.AlternateActionButton(), d.CancelButton(), d.ActionButton()})
        if (b->Visible()) record.buttons.push_back(b->Caption().ToUTF8());
    ShownInTestMode().push_back(std::move(record));
    return d.ActionButton()->Visible() ? d.ActionButton() : nullptr;
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

std::vector<ShownMessageDialog> TakeMessageDialogs() { return std::exchange(ShownInTestMode(), {}); }

}  // namespace testing

}  // namespace fw
