#include "framework/PopupMenu.h"

#include "framework/QtBridge.h"
#include "framework/Runtime.h"

#include <QComboBox>

namespace fw {

PopupMenu::PopupMenu() : RectControl(new QComboBox()), combo_(static_cast<QComboBox*>(Widget())) {
    combo_->setEditable(false);
    combo_->setFocusPolicy(Qt::TabFocus);
    // Separators may be long; the popup list shows them whole.
    combo_->setSizeAdjustPolicy(QComboBox::AdjustToContentsOnFirstShow);
    QObject::connect(combo_, &QComboBox::currentIndexChanged, Context(), [this] {
        if (Change) RaiseEvent(Change);
    });
}

void PopupMenu::AddRow(const String& text) {
    if (text == "-")
        combo_->insertSeparator(combo_->count());
    else
        combo_->addItem(ToQString(text));
}

void PopupMenu::DeleteAllRows() { combo_->clear(); }
int PopupMenu::ListCount() const { return combo_->count(); }

String PopupMenu::List(int index) const {
    if (index < 0 || index >= combo_->count()) return String();
    // A separator row holds no text of its own in Qt.
    if (combo_->itemData(index, Qt::AccessibleDescriptionRole).toString() == QLatin1String("separator"))
        return "-";
    return FromQString(combo_->itemText(index));
}

int PopupMenu::ListIndex() const { return combo_->currentIndex(); }

void PopupMenu::SetListIndex(int index) {
    if (index < -1 || index >= combo_->count() || List(index) == "-") return;
    combo_->setCurrentIndex(index);
}

String PopupMenu::Text() const { return List(combo_->currentIndex()); }

}  // namespace fw
