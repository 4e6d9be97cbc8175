#include "framework/Window.h"

#include "framework/Internal.h"
#include "framework/QtBridge.h"
#include "framework/Runtime.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QLayout>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPointer>

#include <algorithm>
#include <map>

namespace fw {

namespace {

// Open windows, front to back.
std::vector<Window*>& OpenWindows() {
    static std::vector<Window*> windows;
    return windows;
}

// What the runtime may ask of the window list.
class RuntimeWindowList final : public internal::WindowList {
public:
    int Count() const override { return WindowCount(); }
    void CloseAll() override { internal::CloseAllWindows(); }
};

void RegisterWithRuntime() {
    static RuntimeWindowList list;
    internal::RegisterWindowList(&list);
}

std::map<std::type_index, Window*>& ImplicitInstances() {
    static std::map<std::type_index, Window*> instances;
    return instances;
}

void MoveToFront(Window* window) {
    auto& windows = OpenWindows();
    auto it = std::find(windows.begin(), windows.end(), window);
    if (it == windows.end()) return;
    std::rotate(windows.begin(), it, it + 1);
}

}  // namespace

class WindowWidget : public QMainWindow {
public:
    explicit WindowWidget(Window* owner) : owner_(owner) {}
    void Disown() { owner_ = nullptr; }

protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::WindowActivate && owner_) owner_->Activated();
        return QMainWindow::event(e);
    }
    void closeEvent(QCloseEvent* e) override {
        if (owner_) owner_->ClosedByUser();
        e->accept();
    }

private:
    Window* owner_;
};

// The content area: its size is the window's size as the program sees it,
// and presses on it are the window's own.
class ContentWidget : public QWidget {
public:
    ContentWidget(Window* owner, QWidget* parent) : QWidget(parent), owner_(owner) {}
    void Disown() { owner_ = nullptr; }

protected:
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        if (owner_) owner_->ContentResized(e->size().width(), e->size().height());
    }
    void mousePressEvent(QMouseEvent* e) override {
        Window* owner = owner_;
        const QPoint p = e->position().toPoint();
        tracking_ = owner && RaiseEvent<bool>([owner, p] { return owner->Event_MouseDown(p.x(), p.y()); }, false);
        if (!tracking_) QWidget::mousePressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        Window* owner = owner_;
        if (!std::exchange(tracking_, false) || !owner) {
            QWidget::mouseReleaseEvent(e);
            return;
        }
        const QPoint p = e->position().toPoint();
        RaiseEvent([owner, p] { owner->Event_MouseUp(p.x(), p.y()); });
    }

private:
    Window* owner_;
    bool tracking_ = false;
};

Window::Window() : widget_(new WindowWidget(this)), content_(new ContentWidget(this, widget_)) {
    widget_->setCentralWidget(content_);
    widget_->setAttribute(Qt::WA_DeleteOnClose, false);
    RegisterWithRuntime();
    OpenWindows().insert(OpenWindows().begin(), this);
}

Window::~Window() {
    auto& windows = OpenWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
    static_cast<WindowWidget*>(widget_)->Disown();
    static_cast<ContentWidget*>(content_)->Disown();
    controls_.clear();
    delete widget_;
}

String Window::Title() const { return FromQString(widget_->windowTitle()); }
void Window::SetTitle(const String& title) { widget_->setWindowTitle(ToQString(title)); }
int Window::Width() const { return content_->width(); }
int Window::Height() const { return content_->height(); }

int Window::MenuHeight() const {
    const QWidget* menu = widget_->menuWidget();
    return menu ? menu->sizeHint().height() : 0;
}

void Window::ApplyDesign(const WindowDesign& d) {
    SetTitle(d.title);
    SetFrame(d.frame);
    SetPlacement(d.placement);
    SetSize(d.width, d.height);
    SetMinSize(d.minWidth, d.minHeight);
    SetMaxSize(d.maxWidth, d.maxHeight);
    SetResizeable(d.resizeable);
    SetLiveResize(d.liveResize);
    SetCloseButton(d.closeButton);
    SetMinimizeButton(d.minimizeButton);
    SetMaximizeButton(d.maximizeButton);
    SetBackColor(d.backColor, d.hasBackColor);
    SetVisible(d.visible);
    SetMenuBarVisible(d.menuBarVisible);
}

void Window::SetSize(int width, int height) {
    content_->resize(width, height);
    if (framed_ && widget_->layout()->sizeConstraint() != QLayout::SetFixedSize)
        widget_->resize(width, height + MenuHeight());
    else
        widget_->resize(widget_->sizeHint().expandedTo(QSize(width, height)));
    // A hidden window gets no resize event; its controls follow all the same.
    FollowContentSize(content_->width(), content_->height());
}

void Window::FollowContentSize(int width, int height) {
    const int dx = width - contentWidth_;
    const int dy = height - contentHeight_;
    contentWidth_ = width;
    contentHeight_ = height;
    if (dx == 0 && dy == 0) return;
    for (const auto& control : controls_) control->FollowResize(dx, dy);
}

void Window::ContentResized(int width, int height) {
    const bool changed = width != contentWidth_ || height != contentHeight_;
    FollowContentSize(width, height);
    if (changed && widget_->isVisible()) {
        RaiseEvent([this] { Event_Resizing(); });
        RaiseEvent([this] { Event_Resized(); });
    }
}

void Window::SetMinSize(int width, int height) { content_->setMinimumSize(width, height); }
void Window::SetMaxSize(int width, int height) { content_->setMaximumSize(width, height); }

void Window::SetBackColor(Color color, bool hasBackColor) {
    content_->setAutoFillBackground(hasBackColor);
    if (!hasBackColor) return;
    SetPaletteColor(content_, QPalette::Window, color);
}

void Window::Construct() {
    Layout();
    CreateControls();
    RaiseEvent([this] { Event_Open(); });
    if (visible_ && !closed_ && frame_ != 8) Show();
}

void Window::ApplyFrame() {
    if (framed_) return;
    framed_ = true;
    const QSize size = content_->size();
    if (!resizeable_ || content_->minimumSize() == content_->maximumSize()) {
        content_->setFixedSize(size);
        widget_->layout()->setSizeConstraint(QLayout::SetFixedSize);
    }
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (frame_ == 8) flags = Qt::Sheet | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (closeButton_ && frame_ != 8) flags |= Qt::WindowCloseButtonHint;
    if (minimizeButton_ && frame_ != 8) flags |= Qt::WindowMinimizeButtonHint;
    if (maximizeButton_ && resizeable_ && frame_ != 8) flags |= Qt::WindowMaximizeButtonHint;
    if (frame_ == 8 && sheetParent_) {
        widget_->setParent(sheetParent_->Widget(), flags);
        widget_->setWindowModality(Qt::WindowModal);
    } else {
        widget_->setWindowFlags(flags);
    }
    if (frame_ == 0 && menuBarVisible_) internal::InstallMenuBar(widget_);
    if (frame_ == 8) internal::InstallMenuKeysOn(widget_);
    if (widget_->layout()->sizeConstraint() == QLayout::SetFixedSize) {
        widget_->adjustSize();
    } else {
        // A resizable window opens at its design size, not at its minimum.
        widget_->resize(size.width(), size.height() + MenuHeight());
    }
}

void Window::Show() {
    if (closed_) return;
    ApplyFrame();
    visible_ = true;
    MoveToFront(this);
    internal::Trace("Show " + Title().ToUTF8());
    widget_->show();
    widget_->raise();
    widget_->activateWindow();
}

void Window::ShowWithin(Window* parent) {
    sheetParent_ = parent;
    Show();
}

void Window::ShowModalWithin(Window* parent) {
    sheetParent_ = parent;
    Show();
    if (closed_) return;
    // Runs until the sheet closes. The sheet, like every closed window, is
    // deleted only once no handler runs, so it is still whole when this returns.
    QEventLoop loop;
    QEventLoop* outer = std::exchange(modalLoop_, &loop);
    {
        internal::HandlerScope modal;
        loop.exec();
    }
    modalLoop_ = outer;
}

void Window::Hide() {
    visible_ = false;
    widget_->hide();
}

void Window::Close() {
    if (closed_) return;
    closed_ = true;
    // Its sheets go first: a sheet never outlives the window it is attached to.
    std::vector<Window*> sheets;
    for (Window* w : OpenWindows())
        if (w->sheetParent_ == this) sheets.push_back(w);
    for (Window* sheet : sheets) sheet->Close();
    auto& windows = OpenWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
    for (auto it = ImplicitInstances().begin(); it != ImplicitInstances().end();)
        it = it->second == this ? ImplicitInstances().erase(it) : std::next(it);
    if (modalLoop_) modalLoop_->quit();
    const QWidget* active = QApplication::activeWindow();
    // A sheet asks to be activated when it shows, and the window system may
    // answer only after a short sheet (a progress sheet) has closed again,
    // leaving no window active: a sheet that goes while it or its parent has
    // the keyboard, or nothing has it, hands it back to its parent.
    const bool hadKeyboard = active == widget_ || (sheetParent_ && !sheetParent_->closed_ &&
                                                   (active == nullptr || active == sheetParent_->widget_));
    if (widget_->isVisible()) widget_->close();
    // A closed sheet no longer belongs to its parent's widget, whichever of
    // the two is deleted first.
    if (sheetParent_) widget_->setParent(nullptr);
    // The window behind becomes the front window, with the keyboard, as the
    // program sees it; not every window system hands it on by itself.
    if (hadKeyboard && WindowCount() > 0) {
        QMainWindow* front = WindowAt(0)->widget_;
        if (front->isVisible()) front->activateWindow();
    }
    // A handler of the window, or a loop inside one, may still be running.
    internal::WhenNoHandlerRuns([this] { delete this; });
}

void Window::ClosedByUser() { Close(); }

void Window::Activated() {
    MoveToFront(this);
    RaiseEvent([this] { Event_Activate(); });
}

void Window::Adopt(std::unique_ptr<RectControl> control, const String& name) {
    control->Attach(this, name);
    controls_.push_back(std::move(control));
}

RectControl* Window::FindControl(const String& name) const {
    for (const auto& control : controls_)
        if (control->Name() == name) return control.get();
    return nullptr;
}

int WindowCount() { return static_cast<int>(OpenWindows().size()); }

Window* WindowAt(int index) {
    if (index < 0 || index >= WindowCount()) return nullptr;
    return OpenWindows()[static_cast<size_t>(index)];
}

namespace internal {

Window* FindImplicitInstance(std::type_index type) {
    auto it = ImplicitInstances().find(type);
    return it == ImplicitInstances().end() ? nullptr : it->second;
}

void RegisterImplicitInstance(std::type_index type, Window* window) { ImplicitInstances()[type] = window; }

void CloseAllWindows() {
    while (WindowCount() > 0) WindowAt(0)->Close();
    QCoreApplication::sendPostedEvents(nullptr, 0);
}

}  // namespace internal

}  // namespace fw
