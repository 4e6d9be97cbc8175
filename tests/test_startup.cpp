// Start-up, the Open event, the exception guard, the version gate and the
// release of the module globals. Every test runs in a process of its own, so
// each may start the program once.

#include "app/Charvella.h"
#include "app/FileTypes.h"
#include "app/Menu.h"
#include "app/Startup.h"
#include "app/TessarindsBasics.h"
#include "app/globalVars.h"
#include "codes/TextUtilitiesSubset.h"
#include "framework/Exceptions.h"
#include "framework/FileType.h"
#include "framework/Runtime.h"
#include "framework/Testing.h"
#include "framework/Window.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

const std::string kOldSystemMessage =
    "This version of Charvellarequires Mac OS X 10.3 or later, and will not run on earlier versions of "
    "the Mac OS.\n\nPlease visit www.tessarinds.com to download a version for your Mac OS.";
const std::string kNilObjectMessage = "An exception of class NilObjectException was not handled.";

// Start-up up to the event loop: the file type, the application object with
// its menu bar, then the nine menu commands bound in their order.
Strings StartupTrace() {
    return {"RegisterFileType text",
            "MenuBar",
            "RegisterApp",
            "AddMenuHandler FileBlockConversions",
            "AddMenuHandler FileCloseWindow",
            "AddMenuHandler AppleAboutCharvella",
            "AddMenuHandler InternetVisitTessarindswebsite",
            "AddMenuHandler FileShowTable",
            "AddMenuHandler EditWarnOnLargeTextBlocks",
            "AddMenuHandler HelpCheckForUpdates",
            "AddMenuHandler FileConvertCharacters",
            "AddMenuHandler EditShowDecimalandHexasHTML"};
}

Strings Then(Strings first, const Strings& then) {
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

void SetAllSettings() {
    globalVars::dontWarn = globalVars::showHTML = globalVars::convert1000 = globalVars::convertAnyway = true;
}

void ExpectSettingsReset() {
    EXPECT_FALSE(globalVars::dontWarn);
    EXPECT_FALSE(globalVars::showHTML);
    EXPECT_FALSE(globalVars::convert1000);
    EXPECT_FALSE(globalVars::convertAnyway);
}

TEST(Startup, WholeStartUpInOrder) {
    fw::testing::SetSystemVersion(0x1040);
    SetAllSettings();
    ASSERT_EQ(App(), nullptr);
    _Main();
    EXPECT_EQ(fw::testing::TakeTrace(),
              Then(StartupTrace(), {"Open", "Show Type a Code or Key", "Show Type a Code or Key"}));
    EXPECT_TRUE(fw::testing::TakeMessageBoxes().empty());
    EXPECT_EQ(fw::testing::QuitCode(), std::nullopt);
    ExpectSettingsReset();
    ASSERT_NE(App(), nullptr);
    ASSERT_TRUE(App()->maskedIconPicture);
    EXPECT_EQ(App()->maskedIconPicture->Width(), 72);
    EXPECT_EQ(App()->maskedIconPicture->Height(), 72);
    EXPECT_TRUE(App()->maskedIconPicture->HasMask());
    ASSERT_EQ(fw::WindowCount(), 1);
    EXPECT_EQ(fw::WindowAt(0)->Title().ToUTF8(), "Type a Code or Key");
}

// _Startup alone: the file type and the application object exist before the
// event loop runs, and Open waits for the loop.
TEST(Startup, StartupRegistersFileTypeThenApplication) {
    ASSERT_EQ(App(), nullptr);
    _Startup();
    EXPECT_EQ(fw::testing::TakeTrace(), StartupTrace());
    // Setting a field withdraws a registration: this holds only when the
    // type was registered after all four were set.
    const fw::FileType* text = fw::RegisteredFileType("text");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text, FileTypes::pText.get());
    EXPECT_EQ(text->Extensions().ToUTF8(), ".asc;.ascii;.text;.txt;.rtf;.html;.htm;.me");
    EXPECT_EQ(text->MacType().ToUTF8(), "TEXT");
    EXPECT_EQ(text->MacCreator().ToUTF8(), "????");
    Charvella* app = App();
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(App(), app);
    EXPECT_EQ(app->MenuBar(), Menu::Instance());
    EXPECT_EQ(app->focusLocation, 0);
    EXPECT_FALSE(app->maskedIconPicture);
    EXPECT_EQ(fw::WindowCount(), 0);
}

TEST(Startup, TextFileTypeMatchesItsExtensions) {
    _InitFileTypes();
    const fw::FileType* text = fw::RegisteredFileType("text");
    ASSERT_NE(text, nullptr);
    struct Case { const char* name; bool matches; };
    const Case cases[] = {{"a.txt", true},  {"READ.ME", true}, {"page.HTM", true}, {"page.html", true},
                          {"x.rtf", true},  {"x.asc", true},   {"x.ascii", true},  {"x.text", true},
                          {"x.doc", false}, {"txt", false},    {"a.txt.gz", false}, {"atxt", false}};
    for (const Case& c : cases) EXPECT_EQ(text->Matches(c.name), c.matches) << c.name;
}

TEST(Startup, OldSystemIsToldAndQuitsButOpenGoesOn) {
    fw::testing::SetSystemVersion(0x1029);
    SetAllSettings();
    _Main();
    EXPECT_EQ(fw::testing::TakeTrace(),
              Then(StartupTrace(), {"Open", "MsgBox", "Quit 0", "Show Type a Code or Key", "Show Type a Code or Key"}));
    EXPECT_EQ(fw::testing::TakeMessageBoxes(), Strings{kOldSystemMessage});
    EXPECT_EQ(fw::testing::QuitCode(), 0);
    ExpectSettingsReset();
    EXPECT_TRUE(App()->maskedIconPicture);
    EXPECT_EQ(fw::WindowCount(), 1);
}

// Without icon72 the Open event stops at maskIcons; the exception is reported
// and the program goes on.
TEST(Startup, MissingIconStopsOpenAtMaskIcons) {
    fw::testing::SetResourcesFolder("");
    fw::testing::SetSystemVersion(0x1020);  // so that the gate's message shows it ran first
    SetAllSettings();
    _Main();
    EXPECT_EQ(fw::testing::TakeTrace(),
              Then(StartupTrace(), {"Open", "MsgBox", "Quit 0", "MsgBox", "Quit 1"}));
    EXPECT_EQ(fw::testing::TakeMessageBoxes(), (Strings{kOldSystemMessage, kNilObjectMessage}));
    ExpectSettingsReset();
    ASSERT_NE(App(), nullptr);
    EXPECT_FALSE(App()->maskedIconPicture);
    EXPECT_EQ(fw::WindowCount(), 0);
}

// With no window open and no global menu bar nothing would be left for the
// user to reach: after the message the program ends, with a failure code.
TEST(Startup, MissingIconOnCurrentSystemEndsTheProgramAfterItsMessage) {
    fw::testing::SetResourcesFolder("");
    fw::testing::SetSystemVersion(0x1030);
    _Main();
    EXPECT_EQ(fw::testing::TakeMessageBoxes(), Strings{kNilObjectMessage});
    EXPECT_EQ(fw::testing::QuitCode(), 1);
    EXPECT_EQ(fw::WindowCount(), 0);
    // Later events are still raised and guarded.
    bool ran = false;
    EXPECT_TRUE(fw::RaiseEvent([&] { ran = true; }));
    EXPECT_TRUE(ran);
}

// Whatever escapes an event handler is reported by its class name, and the
// event counts as failed.
TEST(Startup, EscapingExceptionsAreReportedByClassName) {
    fw::_RuntimeSetExceptionHelper(_CallFunctionWithExceptionHandling);
    struct Case {
        std::function<void()> raise;
        const char* className;
    };
    const Case cases[] = {
        {[] { throw fw::NilObjectException(); }, "NilObjectException"},
        {[] { throw fw::IllegalCastException(); }, "IllegalCastException"},
        {[] { throw fw::OutOfBoundsException(); }, "OutOfBoundsException"},
        {[] { throw fw::OutOfMemoryException(); }, "OutOfMemoryException"},
        {[] { throw fw::RuntimeException("any"); }, "RuntimeException"},
        {[] { throw std::bad_alloc(); }, "OutOfMemoryException"},
        {[] { throw std::logic_error("other"); }, "RuntimeException"},
        {[] { fw::NonNil(static_cast<int*>(nullptr)); }, "NilObjectException"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(fw::RaiseEvent(c.raise)) << c.className;
        EXPECT_EQ(fw::testing::TakeMessageBoxes(),
                  Strings{std::string("An exception of class ") + c.className + " was not handled."});
    }
    EXPECT_TRUE(fw::RaiseEvent([] {}));
    EXPECT_EQ(fw::RaiseEvent<int>([]() -> int { throw fw::NilObjectException(); }, -1), -1);
    EXPECT_EQ(fw::RaiseEvent<int>([] { return 7; }, -1), 7);
    EXPECT_EQ(fw::testing::TakeMessageBoxes(), Strings{kNilObjectMessage});
}

TEST(Startup, ExceptionHelperHandsBackOnlyRuntimeExceptions) {
    EXPECT_EQ(_CallFunctionWithExceptionHandling([] {}), nullptr);
    std::exception_ptr caught = _CallFunctionWithExceptionHandling([] { throw fw::IllegalCastException(); });
    ASSERT_NE(caught, nullptr);
    EXPECT_THROW(std::rethrow_exception(caught), fw::IllegalCastException);
    EXPECT_THROW(_CallFunctionWithExceptionHandling([] { throw std::out_of_range("x"); }), std::out_of_range);
}

TEST(Startup, ReleaseModuleGlobalsClosesAndReleasesEverything) {
    fw::testing::SetSystemVersion(0x1040);
    _Main();
    TextUtilitiesSubset::SystemEncoding();
    ASSERT_EQ(fw::WindowCount(), 1);
    ASSERT_NE(fw::RegisteredFileType("text"), nullptr);
    ASSERT_TRUE(Menu::_implicitInstance);
    ASSERT_FALSE(TextUtilitiesSubset::mSystemEncoding.IsNil());
    _ReleaseModuleGlobals();
    EXPECT_EQ(fw::WindowCount(), 0);
    EXPECT_EQ(fw::RegisteredFileType("text"), nullptr);
    EXPECT_FALSE(FileTypes::pText);
    EXPECT_FALSE(Menu::_implicitInstance);
    EXPECT_TRUE(TextUtilitiesSubset::mSystemEncoding.IsNil());
    EXPECT_TRUE(fw::testing::TakeMessageBoxes().empty());
}

// The gate asks "sysv" and takes the newest version reached.
TEST(VersionGate, VersionSteps) {
    struct Case {
        std::optional<int32_t> sysv;
        double version;
    };
    const Case cases[] = {{0x1030, 10.3}, {0x1039, 10.3}, {0x1029, 10.2}, {0x102F, 10.2}, {0x1068, 10.4},
                          {0x1099, 10.4}, {0x1040, 10.4}, {0x101F, 10.1}, {0x1000, 10.0}, {0x0922, 9.2},
                          {0x091F, 9.0},  {0x0850, 8.5},  {0x084F, 8.0},  {0x0800, 8.0},  {0x07FF, 7.0},
                          {0x0000, 7.0},  {-1, 7.0},      {INT32_MIN, 7.0}, {std::nullopt, 7.0}};
    for (const Case& c : cases) {
        fw::testing::SetSystemVersion(c.sysv);
        EXPECT_DOUBLE_EQ(TessarindsBasics::returnOSversion(), c.version)
            << std::hex << (c.sysv ? *c.sysv : -999);
    }
}

TEST(VersionGate, OnlyOlderSystemsAreToldAndQuit) {
    struct Case {
        std::optional<int32_t> sysv;
        bool refused;
    };
    const Case cases[] = {{0x1030, false}, {0x1068, false}, {0x1029, true}, {0x102F, true},
                          {0x0922, true},  {-5, true},      {std::nullopt, true}};
    for (const Case& c : cases) {
        fw::testing::SetSystemVersion(c.sysv);
        TessarindsBasics::checkOSversion();
        const std::string which = c.sysv ? std::to_string(*c.sysv) : "none";
        const Strings trace = c.refused ? Strings{"MsgBox", "Quit 0"} : Strings{};
        const Strings messages = c.refused ? Strings{kOldSystemMessage} : Strings{};
        EXPECT_EQ(fw::testing::TakeTrace(), trace) << which;
        EXPECT_EQ(fw::testing::TakeMessageBoxes(), messages) << which;
    }
    EXPECT_EQ(fw::testing::QuitCode(), 0);
}

// Where the selector does not exist the newest version it can express is
// reported, so the program runs.
TEST(VersionGate, RealSystemPassesTheGate) {
    int32_t sysv = 0;
    ASSERT_TRUE(fw::System::Gestalt("sysv", sysv));
    EXPECT_GE(sysv, 0x1030);
    EXPECT_FALSE(fw::System::Gestalt("cpuf", sysv));
    TessarindsBasics::checkOSversion();
    EXPECT_TRUE(fw::testing::TakeMessageBoxes().empty());
    EXPECT_EQ(fw::testing::QuitCode(), std::nullopt);
}

}  // namespace
