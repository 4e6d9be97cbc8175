#pragma once

// Windows. A window class of the program subclasses Window, applies its
// design values in Layout and creates its controls in CreateControls, in tab
// order, each added under its name. Controls are found again by name with a
// check of their class.
//
// Every window class has one implicit instance, made on first use by
// ImplicitInstance<W>() (which returns it also while its Open event runs) and
// forgotten when the window closes.
//
// The framework keeps the list of open windows, sheets included, front to
// back: Show and the user's activation of a window move it to the front.
// Each window is a QMainWindow whose central widget is its content area; a
// document window shows the application's menu bar.
//
// Close takes a window out of the list at once (its sheets first) and deletes
// it once no handler of the program is running: a handler may close its own
// window and go on, even through a loop that yields or a modal sheet.

#include "framework/Exceptions.h"
#include "framework/MouseCursor.h"
#include "framework/RectControl.h"
#include "framework/String.h"

#include <memory>
#include <string>
#include <typeindex>
#include <vector>

class QEventLoop;
class QMainWindow;
class QWidget;

namespace fw {

namespace internal {
struct QtAccess;
}

// A window's design values, as the layout editor keeps them; Layout applies
// them all at once with ApplyDesign.
struct WindowDesign {
    const char* title = "";
    int width = 300, height = 300;
    int minWidth = 64, minHeight = 64;
    int maxWidth = 32000, maxHeight = 32000;
    int frame = 0;
    int placement = 0;
    bool resizeable = true;
    bool liveResize = true;
    bool closeButton = true;
    bool minimizeButton = true;
    bool maximizeButton = true;
    Color backColor = Color(0xFFFFFF);
    bool hasBackColor = false;
    bool visible = true;
    bool menuBarVisible = true;
};

class Window {
public:
    Window();
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // The window's design values; Layout sets them before the controls exist.
    void ApplyDesign(const WindowDesign& design);
    String Title() const;
    void SetTitle(const String& title);
    int Width() const;
    int Height() const;
    void SetSize(int width, int height);
    void SetMinSize(int width, int height);
    void SetMaxSize(int width, int height);
    // 0 document window, 8 sheet attached to a parent window.
    int Frame() const { return frame_; }
    void SetFrame(int frame) { frame_ = frame; }
    // The window system places windows and resizes them live; the design
    // values for both are accepted as they stand.
    void SetPlacement(int) {}
    void SetResizeable(bool on) { resizeable_ = on; }
    void SetLiveResize(bool) {}
    void SetCloseButton(bool on) { closeButton_ = on; }
    void SetMinimizeButton(bool on) { minimizeButton_ = on; }
    void SetMaximizeButton(bool on) { maximizeButton_ = on; }
    void SetBackColor(Color color, bool hasBackColor);
    bool Visible() const { return visible_; }
    void SetVisible(bool on) { visible_ = on; }
    void SetMenuBarVisible(bool on) { menuBarVisible_ = on; }

    // Brings the window to the front, showing it if it was hidden.
    void Show();
    // Shows the window as a sheet on parent and returns once it has closed,
    // handling events meanwhile.
    void ShowModalWithin(Window* parent);
    // Shows the window as a sheet on parent and returns at once.
    void ShowWithin(Window* parent);
    void Hide();
    // Closes the window: it leaves the window list and is destroyed.
    void Close();
    bool IsClosed() const { return closed_; }

    // The cursor shown over the window: the standard pointer or the wait cursor.
    MouseCursorPtr MouseCursor() const;
    void SetMouseCursor(const MouseCursorPtr& cursor);

    // The control of that name; NilObjectException when there is none and
    // IllegalCastException when it is of another class.
    template <class C>
    C* ControlNamed(const String& name) const {
        RectControl* control = FindControl(name);
        if (!control) throw NilObjectException();
        C* typed = dynamic_cast<C*>(control);
        if (!typed) throw IllegalCastException();
        return typed;
    }

    // Runs Layout, CreateControls and the Open event, then shows a visible
    // window; a sheet waits for ShowWithin or ShowModalWithin.
    void Construct();

protected:
    virtual void Layout() {}
    virtual void CreateControls() {}
    virtual void Event_Open() {}
    virtual void Event_Activate() {}
    virtual void Event_Resized() {}
    virtual void Event_Resizing() {}
    // A press on the window's own surface (or on a control that leaves it
    // the click), in content coordinates; True makes Event_MouseUp follow.
    virtual bool Event_MouseDown(int x, int y) {
        (void)x, (void)y;
        return false;
    }
    virtual void Event_MouseUp(int x, int y) { (void)x, (void)y; }

    // Creates a control of class C in the content area, under that name.
    template <class C>
    C* AddControl(const String& name) {
        auto control = std::make_unique<C>();
        C* raw = control.get();
        Adopt(std::move(control), name);
        return raw;
    }

private:
    friend class WindowWidget;
    friend class ContentWidget;
    friend class RectControl;
    friend struct internal::QtAccess;
    QMainWindow* Widget() const { return widget_; }
    QWidget* Content() const { return content_; }
    void Adopt(std::unique_ptr<RectControl> control, const String& name);
    RectControl* FindControl(const String& name) const;
    void ApplyFrame();
    int MenuHeight() const;
    void ContentResized(int width, int height);
    void FollowContentSize(int width, int height);
    void Activated();
    void ClosedByUser();

    QMainWindow* widget_;
    QWidget* content_;
    // The content size the controls were last placed for.
    int contentWidth_ = 0;
    int contentHeight_ = 0;
    std::vector<std::unique_ptr<RectControl>> controls_;
    int frame_ = 0;
    bool resizeable_ = true;
    bool closeButton_ = true;
    bool minimizeButton_ = true;
    bool maximizeButton_ = true;
    bool visible_ = true;
    bool menuBarVisible_ = true;
    bool framed_ = false;
    bool closed_ = false;
    Window* sheetParent_ = nullptr;
    // The modal loop of ShowModalWithin while it runs.
    QEventLoop* modalLoop_ = nullptr;
};

// The number of open windows, and the window at an index, 0 being the front
// window; Nil outside 0 to WindowCount() - 1.
int WindowCount();
Window* WindowAt(int index);

namespace internal {
Window* FindImplicitInstance(std::type_index type);
void RegisterImplicitInstance(std::type_index type, Window* window);
void CloseAllWindows();
}  // namespace internal

// The one window of class W: the open one if there is one, else a new one.
template <class W>
W* ImplicitInstance() {
    if (Window* open = internal::FindImplicitInstance(typeid(W))) return static_cast<W*>(open);
    W* window = new W();
    internal::RegisterImplicitInstance(typeid(W), window);
    window->Construct();
    return window;
}

}  // namespace fw
