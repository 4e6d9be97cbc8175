#pragma once

// The base of every control: a named Qt widget placed in a window's content
// area at design coordinates (one point is one pixel of the layout), with its
// font, its enabling and its own menu handlers.
//
// Events are public std::function members that the window binds to its
// handlers after the control's design values are applied; the framework
// raises them from Qt's events and signals through RaiseEvent. A subclass of
// a control may also handle EnableMenuItems itself.

#include "framework/String.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>

class QObject;
class QWidget;

namespace fw {

class Window;
namespace internal {
struct QtAccess;
}

// A colour as 8-bit red, green and blue, written 0xRRGGBB.
struct Color {
    uint32_t rgb = 0;
    constexpr Color() = default;
    constexpr explicit Color(uint32_t value) : rgb(value & 0xFFFFFFu) {}
    constexpr int Red() const { return static_cast<int>((rgb >> 16) & 0xFF); }
    constexpr int Green() const { return static_cast<int>((rgb >> 8) & 0xFF); }
    constexpr int Blue() const { return static_cast<int>(rgb & 0xFF); }
};

class RectControl {
public:
    virtual ~RectControl();
    RectControl(const RectControl&) = delete;
    RectControl& operator=(const RectControl&) = delete;

    String Name() const { return name_; }
    fw::Window* Window() const { return window_; }

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetBounds(int left, int top, int width, int height);

    bool Enabled() const;
    void SetEnabled(bool on);
    bool Visible() const;
    void SetVisible(bool on);
    String HelpTag() const;
    void SetHelpTag(const String& tag);
    // The name screen readers announce for the control.
    virtual void SetAccessibleName(const String& name);
    // Whether Tab stops at the control (for controls that take the focus).
    virtual void SetTabStop(bool on);

    // Edges locked to the window's edges: when the window is resized, a
    // control locked right (or bottom) moves with that edge, or stretches
    // when it is locked to both opposite edges.
    bool LockLeft() const { return lockLeft_; }
    void SetLockLeft(bool on) { lockLeft_ = on; }
    bool LockTop() const { return lockTop_; }
    void SetLockTop(bool on) { lockTop_ = on; }
    bool LockRight() const { return lockRight_; }
    void SetLockRight(bool on) { lockRight_ = on; }
    bool LockBottom() const { return lockBottom_; }
    void SetLockBottom(bool on) { lockBottom_ = on; }

    // "System" and "SmallSystem" are the platform's fonts (13 and 11 points
    // by default); a size of 0 is the font's default size. Unit 0 (the
    // default) and 2 are points; 1 pixels.
    String TextFont() const { return textFont_; }
    void SetTextFont(const String& font);
    double TextSize() const { return textSize_; }
    void SetTextSize(double size);
    int TextUnit() const { return textUnit_; }
    void SetTextUnit(int unit);
    void SetBold(bool on);
    void SetItalic(bool on);
    void SetUnderline(bool on);

    // Gives the control the keyboard focus.
    void SetFocus();
    // Repaints the control, at once when immediately is true.
    void Refresh(bool immediately = false);

    // Binds a handler to the menu item of that name while this control has
    // the focus.
    void _AddMenuHandler(const String& itemName, std::function<bool()> handler);
    const std::function<bool()>* MenuHandler(const String& itemName) const;

    // Raised on the focused control each time the menus are prepared.
    virtual void Event_EnableMenuItems() {}
    // The framework's own enabling and carrying out of the standard editing
    // items (Undo, Cut, Copy, Paste, Clear) for controls that edit text.
    virtual void EnableStandardMenuItems() {}
    virtual bool HandleStandardMenuItem(const String& itemName) {
        (void)itemName;
        return false;
    }

protected:
    // The control owns its widget; the window places it in its content area.
    explicit RectControl(QWidget* widget);
    QWidget* Widget() const { return widget_; }
    // The context of every connection the control makes to its widgets'
    // signals: deleting it cuts exactly those, and leaves Qt's own (the
    // accessibility cache forgets a widget through its destroyed signal).
    QObject* Context() const { return context_; }
    void ApplyFont();

private:
    friend class fw::Window;
    friend struct internal::QtAccess;
    static RectControl* FromWidget(const QWidget* widget);
    void Attach(fw::Window* window, const String& name);
    // Follows a change of the window's content size by its locked edges.
    void FollowResize(int dx, int dy);
    fw::Window* window_ = nullptr;
    String name_;
    QWidget* widget_ = nullptr;
    QObject* context_ = nullptr;
    String textFont_ = "System";
    double textSize_ = 0;
    int textUnit_ = 0;
    bool bold_ = false;
    bool italic_ = false;
    bool underline_ = false;
    bool lockLeft_ = false, lockTop_ = false, lockRight_ = false, lockBottom_ = false;
    std::map<std::string, std::function<bool()>> menuHandlers_;
};

// The pixel size of a font size in the given unit; 0 gives the default size
// of the named font.
int FontPixelSize(const String& font, double size, int unit);

}  // namespace fw
