#pragma once

// The application object. The program subclasses Application, creates one
// instance at start-up and registers it; the framework then raises its events
// (Open once the event loop runs, EnableMenuItems each time the menus are
// prepared, HandleAppleEvent for each Apple event the platform delivers: on
// macOS the reopen event of a click on the Dock icon, elsewhere none) and
// calls its menu handlers by item name.

#include "framework/String.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace fw {

class MenuBar;
class AppleEvent;

class Application {
public:
    virtual ~Application();

    virtual void Event_Open() {}
    virtual void Event_EnableMenuItems() {}
    virtual bool Event_HandleAppleEvent(AppleEvent* event, const String& eventClass,
                                        const String& eventID) {
        (void)event, (void)eventClass, (void)eventID;
        return false;
    }

    // The menu bar that every document window shows.
    std::shared_ptr<fw::MenuBar> MenuBar() const { return menuBar_; }
    void SetMenuBar(std::shared_ptr<fw::MenuBar> bar);

    // Binds a handler to the menu item of that name. A handler returns True
    // when it has handled the command.
    void _AddMenuHandler(const String& itemName, std::function<bool()> handler);
    // The handler bound to an item name, or nullptr.
    const std::function<bool()>* MenuHandler(const String& itemName) const;

private:
    std::shared_ptr<fw::MenuBar> menuBar_;
    std::map<std::string, std::function<bool()>> menuHandlers_;
};

// An Apple event as the platform delivers it (only macOS sends any).
class AppleEvent {};

// Registers the application object: from here on _GetAppObject returns it.
void _RuntimeRegisterAppObject(std::shared_ptr<Application> app);
Application* _GetAppObject();
// Drops the application object at tear-down.
void _RuntimeReleaseAppObject();

}  // namespace fw
