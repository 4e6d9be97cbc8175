#include "framework/RectControl.h"

#include "framework/Internal.h"
#include "framework/QtAccess.h"
#include "framework/QtBridge.h"
#include "framework/Window.h"

#include <QFont>
#include <QFontDatabase>
#include <QVariant>
#include <QWidget>

namespace fw {

namespace {
constexpr const char* kControlProperty = "fwControl";
}

RectControl::RectControl(QWidget* widget) : widget_(widget), context_(new QObject()) {
    widget_->setProperty(kControlProperty, QVariant::fromValue(static_cast<void*>(this)));
    QObject::connect(widget_, &QObject::destroyed, context_, [this] { widget_ = nullptr; });
}

RectControl::~RectControl() {
    // First, so that nothing the widget signals while it goes reaches this
    // half-destroyed control.
    delete context_;
    if (!widget_) return;
    QWidget* widget = widget_;
    widget->setProperty(kControlProperty, QVariant());
    widget_ = nullptr;
    delete widget;
}

RectControl* RectControl::FromWidget(const QWidget* widget) {
    // A widget inside a control's own (a text area's view) is that control's.
    for (; widget; widget = widget->isWindow() ? nullptr : widget->parentWidget())
        if (void* control = widget->property(kControlProperty).value<void*>())
            return static_cast<RectControl*>(control);
    return nullptr;
}

void RectControl::Attach(fw::Window* window, const String& name) {
    window_ = window;
    name_ = name;
    widget_->setParent(window->Content());
    widget_->setObjectName(ToQString(name));
    ApplyFont();
    widget_->show();
}

int RectControl::Left() const { return widget_->x(); }
int RectControl::Top() const { return widget_->y(); }
int RectControl::Width() const { return widget_->width(); }
int RectControl::Height() const { return widget_->height(); }
void RectControl::SetBounds(int left, int top, int width, int height) {
    widget_->setGeometry(left, top, width, height);
}

void RectControl::FollowResize(int dx, int dy) {
    QRect r = widget_->geometry();
    if (lockRight_ && lockLeft_)
        r.setWidth(std::max(0, r.width() + dx));
    else if (lockRight_)
        r.translate(dx, 0);
    if (lockBottom_ && lockTop_)
        r.setHeight(std::max(0, r.height() + dy));
    else if (lockBottom_)
        r.translate(0, dy);
    if (r != widget_->geometry()) widget_->setGeometry(r);
}

bool RectControl::Enabled() const { return widget_->isEnabled(); }
void RectControl::SetEnabled(bool on) { widget_->setEnabled(on); }
bool RectControl::Visible() const { return !widget_->isHidden(); }
void RectControl::SetVisible(bool on) { widget_->setVisible(on); }
String RectControl::HelpTag() const { return FromQString(widget_->toolTip()); }
void RectControl::SetHelpTag(const String& tag) { widget_->setToolTip(ToQString(tag)); }

void RectControl::SetAccessibleName(const String& name) { widget_->setAccessibleName(ToQString(name)); }

void RectControl::SetTabStop(bool on) {
    if (widget_->focusPolicy() == Qt::NoFocus) return;
    widget_->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
}

void RectControl::SetTextFont(const String& font) {
    textFont_ = font;
    ApplyFont();
}
void RectControl::SetTextSize(double size) {
    textSize_ = size;
    ApplyFont();
}
void RectControl::SetTextUnit(int unit) {
    textUnit_ = unit;
    ApplyFont();
}
void RectControl::SetBold(bool on) {
    bold_ = on;
    ApplyFont();
}
void RectControl::SetItalic(bool on) {
    italic_ = on;
    ApplyFont();
}
void RectControl::SetUnderline(bool on) {
    underline_ = on;
    ApplyFont();
}

void RectControl::ApplyFont() {
    QFont font = internal::FontFor(textFont_, textSize_, textUnit_);
    font.setBold(bold_);
    font.setItalic(italic_);
    font.setUnderline(underline_);
    widget_->setFont(font);
}

void RectControl::SetFocus() { widget_->setFocus(Qt::OtherFocusReason); }

void RectControl::Refresh(bool immediately) {
    if (immediately)
        widget_->repaint();
    else
        widget_->update();
}

void RectControl::_AddMenuHandler(const String& itemName, std::function<bool()> handler) {
    menuHandlers_[itemName.ToUTF8()] = std::move(handler);
}

const std::function<bool()>* RectControl::MenuHandler(const String& itemName) const {
    auto it = menuHandlers_.find(itemName.ToUTF8());
    return it == menuHandlers_.end() ? nullptr : &it->second;
}

int FontPixelSize(const String& font, double size, int unit) {
    if (size <= 0) return font == "SmallSystem" ? 11 : 13;
    switch (unit) {
        case 3: return static_cast<int>(size * 72 + 0.5);         // inches
        case 4: return static_cast<int>(size * 72 / 25.4 + 0.5);  // millimetres
        default: return static_cast<int>(size + 0.5);             // points and pixels alike
    }
}

QFont internal::FontFor(const String& font, double size, int unit) {
    QFont qfont = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    if (font != "System" && font != "SmallSystem" && !font.IsEmpty()) qfont.setFamily(ToQString(font));
    qfont.setPixelSize(FontPixelSize(font, size, unit));
    return qfont;
}

}  // namespace fw
