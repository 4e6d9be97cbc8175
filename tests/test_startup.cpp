// Start-up, the Open event, the exception guard, the version gate and the
// release of the module globals. The reset after each test puts the program
// and the framework back as a fresh process has them, so each test may
// start the program once.

#include "Charvella.h"
#include "FileTypes.h"
#include "Menu.h"
#include "Startup.h"
#include "TessarindsBasics.h"
#include "globalVars.h"
#include "TextUtilitiesSubset.h"
#include "framework/Exceptions.h"
#include "framework/FileType.h"
#include "framework/Runtime.h"
#include "framework/Testing.h"
#include "framework/Window.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// What happened once start-up had bound the menu commands.
Strings AfterStartup(const Strings& trace) {
    auto last = std::find_if(trace.rbegin(), trace.rend(),
                             [](const std::string& step) { return step.rfind("AddMenuHandler", 0) == 0; });
    EXPECT_NE(last, trace.rend()) << "no menu command was bound";
    return Strings(last.base(), trace.end());
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
    // The file type, the application object with its menu bar, the nine
    // menu commands; then the Open event shows the converter window (built
    // visible, then shown).
    EXPECT_EQ(fw::testing::TakeTrace(),
              (Strings{"RegisterFileType text",
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
                       "AddMenuHandler EditShowDecimalandHexasHTML",
                       "Open",
                       "Show Type a Code or Key",
                       "Show Type a Code or Key"}));
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

TEST(Startup, OldSystemIsToldAndQuitsButOpenGoesOn) {
    fw::testing::SetSystemVersion(0x1029);
    SetAllSettings();
    _Main();
    EXPECT_EQ(AfterStartup(fw::testing::TakeTrace()),
              (Strings{"Open", "MsgBox", "Quit 0", "Show Type a Code or Key", "Show Type a Code or Key"}));
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
    EXPECT_EQ(AfterStartup(fw::testing::TakeTrace()),
              (Strings{"Open", "MsgBox", "Quit 0", "MsgBox", "Quit 1"}));
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

// The gate asks "sysv", takes the newest version reached, and tells systems
// older than 10.3 and quits.
TEST(VersionGate, VersionStepsAndRefusal) {
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
        SCOPED_TRACE(c.sysv ? std::to_string(*c.sysv) : "none");
        EXPECT_DOUBLE_EQ(TessarindsBasics::returnOSversion(), c.version);
        TessarindsBasics::checkOSversion();
        const bool refused = c.version < 10.3;
        EXPECT_EQ(fw::testing::TakeTrace(), refused ? (Strings{"MsgBox", "Quit 0"}) : Strings{});
        EXPECT_EQ(fw::testing::TakeMessageBoxes(), refused ? Strings{kOldSystemMessage} : Strings{});
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
