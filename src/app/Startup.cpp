#include "Startup.h"

#include "BundlePictures.h"
#include "Charvella.h"
#include "FileTypes.h"
#include "Menu.h"
#include "TextUtilitiesSubset.h"
#include "globalVars.h"
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
    _ApplicationAddMenuHandlers();
}

void _InitFileTypes() { FileTypes::_Initialize(); }

void _NewAppInstance() {
    auto app = std::make_shared<Charvella>();
    app->SetMenuBar(Menu::Instance());
    fw::_RuntimeRegisterAppObject(app);
}

void _ApplicationAddMenuHandlers() {
    struct Binding {
        const char* itemName;
        bool (Charvella::*handler)();
    };
    static constexpr Binding kBindings[] = {
        {"FileBlockConversions", &Charvella::_FileBlockConversions_Action},
        {"FileCloseWindow", &Charvella::_FileCloseWindow_Action},
        {"AppleAboutCharvella", &Charvella::_AppleAboutCharvella_Action},
        {"InternetVisitTessarindswebsite", &Charvella::_InternetVisitTessarindswebsite_Action},
        {"FileShowTable", &Charvella::_FileShowTable_Action},
        {"EditWarnOnLargeTextBlocks", &Charvella::_EditWarnOnLargeTextBlocks_Action},
        {"HelpCheckForUpdates", &Charvella::_HelpCheckForUpdates_Action},
        {"FileConvertCharacters", &Charvella::_FileConvertCharacters_Action},
        {"EditShowDecimalandHexasHTML", &Charvella::_EditShowDecimalandHexasHTML_Action},
    };
    for (const Binding& binding : kBindings) {
        // The handlers live in the application object itself, so it outlives them.
        Charvella* app = fw::NonNil(App());
        app->_AddMenuHandler(binding.itemName, [app, handler = binding.handler] { return (app->*handler)(); });
    }
}

void _ReleaseModuleGlobals() {
    fw::_ReleaseFrameworkGlobals();
    FileTypes::pText.reset();
    Menu::_implicitInstance.reset();
    TextUtilitiesSubset::mSystemEncoding = fw::TextEncoding();
}

void _ResetProgramState() {
    _ReleaseModuleGlobals();
    globalVars::showHTML = globalVars::dontWarn = globalVars::convert1000 = globalVars::convertAnyway = false;
    forgetBundlePictures();
}
