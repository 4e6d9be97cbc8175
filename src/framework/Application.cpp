#include "framework/Application.h"

#include "framework/Internal.h"
#include "framework/MenuItem.h"
#include "framework/Runtime.h"
#include "framework/Testing.h"

namespace fw {

namespace {
// Held from registration until the runtime releases it at exit, explicitly:
// never by the C++ run-time's destruction of statics, after Qt is gone.
std::shared_ptr<Application>& AppObject() {
    static auto* app = new std::shared_ptr<Application>;
    return *app;
}
}  // namespace

Application::~Application() = default;

void Application::SetMenuBar(std::shared_ptr<fw::MenuBar> bar) {
    internal::Trace("MenuBar");
    menuBar_ = std::move(bar);
}

void Application::_AddMenuHandler(const String& itemName, std::function<bool()> handler) {
    internal::Trace("AddMenuHandler " + itemName.ToUTF8());
    menuHandlers_[itemName.ToUTF8()] = std::move(handler);
}

const std::function<bool()>* Application::MenuHandler(const String& itemName) const {
    auto it = menuHandlers_.find(itemName.ToUTF8());
    return it == menuHandlers_.end() ? nullptr : &it->second;
}

void _RuntimeRegisterAppObject(std::shared_ptr<Application> app) {
    internal::Trace("RegisterApp");
    AppObject() = std::move(app);
}

Application* _GetAppObject() { return AppObject().get(); }

void _RuntimeReleaseAppObject() { AppObject().reset(); }

bool internal::RaiseAppleEvent(const std::string& eventClass, const std::string& eventID) {
    Application* app = _GetAppObject();
    if (!app) return false;
    internal::Trace("AppleEvent " + eventClass + " " + eventID);
    AppleEvent event;
    const String cls(eventClass), id(eventID);
    return RaiseEvent<bool>([&] { return app->Event_HandleAppleEvent(&event, cls, id); }, false);
}

bool testing::SendAppleEvent(const char* eventClass, const char* eventID) {
    return internal::RaiseAppleEvent(eventClass, eventID);
}

}  // namespace fw
