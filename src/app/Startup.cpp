#include "app/Startup.h"

#include "app/Charvella.h"
#include "app/FileTypes.h"
#include "app/Menu.h"
#include "codes/TextUtilitiesSubset.h"
#include "framework/Exceptions.h"
#include "framework/Runtime.h"

Charvella* App() { return static_cast<Charvella*>(fw::_GetAppObject()); }

std::exception_ptr _CallFunctionWithExceptionHandling(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const fw::RuntimeException&) {
        return std::current_exception();
    }
    return nullptr;
}

void _Main() {
    fw::_RuntimeSetExceptionHelper(_CallFunctionWithExceptionHandling);
    fw::_RunFrameworkInitialization(_Startup);
    fw::_RuntimeRun();
}

void _Startup() {
    _InitFileTypes();
    _NewAppInstance();
}

void _InitFileTypes() { FileTypes::_Initialize(); }

void _NewAppInstance() {
    auto app = std::make_shared<Charvella>();
    app->SetMenuBar(Menu::Instance());
    fw::_RuntimeRegisterAppObject(app);
}

void _ReleaseModuleGlobals() {
    fw::_ReleaseFrameworkGlobals();
    FileTypes::pText.reset();
    Menu::_implicitInstance.reset();
    TextUtilitiesSubset::mSystemEncoding = fw::TextEncoding();
}
