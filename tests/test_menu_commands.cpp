// The menu commands as a user gives them (menu items and their shortcuts),
// the items enabled and checked for each front window, the HTML toggle, the
// web commands and the reopen event.

#include "ProgramFixture.h"
#include "TestTimers.h"

#include "Dialog1.h"
#include "Menu.h"
#include "globalVars.h"
#include "BlockConvert.h"
#include "sizeWarnSheet.h"
#include "framework/Internal.h"
#include "framework/MenuItem.h"
#include "tableWindow.h"

#include "framework/QtAccess.h"

#include <QAction>

#include <functional>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

const Strings kAlwaysEnabled = {"EditWarnOnLargeTextBlocks", "EditShowDecimalandHexasHTML",
                                "InternetVisitTessarindswebsite", "HelpCheckForUpdates", "AppleAboutCharvella"};

class MenuCommandsTest : public ProgramTest {
protected:
    // The items the program's windows enable, after a menu preparation.
    static Strings EnabledCommands() {
        fw::internal::PrepareMenus();
        return EnabledItems(false);
    }
    static Strings With(Strings fileItems) {
        fileItems.insert(fileItems.end(), kAlwaysEnabled.begin(), kAlwaysEnabled.end());
        return fileItems;
    }
    // Chooses a menu item as a user does: the menus are prepared, and a
    // disabled item does nothing.
    static void Choose(const char* itemName) {
        fw::internal::PrepareMenus();
        QAction* action = QtAccess::Action(NonNilItem(itemName).get());
        ASSERT_TRUE(action->isEnabled()) << itemName << " is disabled";
        action->trigger();
    }
    static fw::MenuItemPtr NonNilItem(const char* itemName) {
        fw::MenuItemPtr item = App()->MenuBar()->_Lookup(itemName);
        EXPECT_TRUE(item) << itemName;
        return item;
    }
    static bool Checked(const char* itemName) {
        fw::internal::PrepareMenus();
        return NonNilItem(itemName)->Checked();
    }
    // Puts a block of more than 20000 characters into the block converter
    // without the question, then turns the warning on again.
    static void GiveLongInput(BlockConvert* blocks) {
        Choose("EditWarnOnLargeTextBlocks");
        blocks->EditField1()->SetText(std::string(20001, 'A'));
        Choose("EditWarnOnLargeTextBlocks");
        ASSERT_FALSE(globalVars::dontWarn);
    }
    static void CloseAll() {
        while (fw::WindowCount() > 0) fw::WindowAt(0)->Close();
        fw::testing::ProcessEvents();
    }
};

TEST_F(MenuCommandsTest, EnablingFollowsTheFrontWindow) {
    struct Case {
        const char* front;
        std::function<void()> bringToFront;
        Strings enabled;
    };
    const Case cases[] = {
        {"no window", [] { CloseAll(); }, With({"FileConvertCharacters", "FileBlockConversions", "FileShowTable"})},
        {"converter", [] { Window1::Instance()->Show(); },
         With({"FileBlockConversions", "FileShowTable", "FileCloseWindow"})},
        {"block converter", [] { BlockConvert::Instance()->Show(); },
         With({"FileConvertCharacters", "FileShowTable", "FileCloseWindow"})},
        {"code table", [] { tableWindow::Instance()->Show(); },
         With({"FileConvertCharacters", "FileBlockConversions", "FileCloseWindow"})},
        {"About box", [] { Dialog1::Instance()->Show(); },
         With({"FileConvertCharacters", "FileBlockConversions", "FileShowTable", "FileCloseWindow"})},
        {"About box alone", [] {
             Window1::Instance()->Close();
             Dialog1::Instance()->Show();
         },
         With({"FileConvertCharacters", "FileBlockConversions", "FileShowTable", "FileCloseWindow"})},
    };
    for (const Case& c : cases) {
        c.bringToFront();
        EXPECT_EQ(EnabledCommands(), c.enabled) << c.front;
    }
}

TEST_F(MenuCommandsTest, SettingsAreToggledByTheirItems) {
    Window1* window = Converter();
    Choose("EditWarnOnLargeTextBlocks");
    EXPECT_TRUE(globalVars::dontWarn);
    EXPECT_FALSE(Checked("EditWarnOnLargeTextBlocks"));
    Press(window, Qt::Key_L, Qt::ControlModifier);
    EXPECT_TRUE(globalVars::showHTML);
    EXPECT_TRUE(Checked("EditShowDecimalandHexasHTML"));

    Choose("EditWarnOnLargeTextBlocks");
    Press(window, Qt::Key_L, Qt::ControlModifier);
    EXPECT_FALSE(globalVars::dontWarn);
    EXPECT_FALSE(globalVars::showHTML);
    EXPECT_TRUE(Checked("EditWarnOnLargeTextBlocks"));
    EXPECT_FALSE(Checked("EditShowDecimalandHexasHTML"));
}

// A command whose window is open brings that window to the front; there is
// never a second one.
TEST_F(MenuCommandsTest, CommandsBringTheirOpenWindowToTheFront) {
    Window1* converter = Converter();
    Choose("AppleAboutCharvella");
    Dialog1* box = Dialog1::Instance();
    ASSERT_EQ(fw::WindowAt(0), box);
    Press(box, Qt::Key_T, Qt::ControlModifier);
    tableWindow* table = tableWindow::Instance();
    ASSERT_EQ(fw::WindowAt(0), table);
    Choose("FileConvertCharacters");
    EXPECT_EQ(fw::WindowAt(0), converter);
    Choose("AppleAboutCharvella");
    EXPECT_EQ(fw::WindowAt(0), box);
    Choose("FileShowTable");
    EXPECT_EQ(fw::WindowAt(0), table);
    Press(table, Qt::Key_B, Qt::ControlModifier);
    BlockConvert* blocks = BlockConvert::Instance();
    ASSERT_EQ(fw::WindowAt(0), blocks);
    Choose("FileConvertCharacters");
    Choose("FileBlockConversions");
    EXPECT_EQ(fw::WindowAt(0), blocks);
    EXPECT_EQ(Count<Window1>(), 1);
    EXPECT_EQ(Count<Dialog1>(), 1);
    EXPECT_EQ(Count<tableWindow>(), 1);
    EXPECT_EQ(Count<BlockConvert>(), 1);
    EXPECT_EQ(fw::WindowCount(), 4);
    EXPECT_FALSE(box->IsClosed());
    EXPECT_FALSE(converter->IsClosed());
}

TEST_F(MenuCommandsTest, CloseWindowClosesTheFrontWindowThenThereIsNothingToClose) {
    Window1* converter = Converter();
    Choose("AppleAboutCharvella");
    Dialog1* box = Dialog1::Instance();
    ASSERT_TRUE(QTest::qWaitForWindowActive(QtAccess::Window(box)->windowHandle()));
    Press(box, Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(Count<Dialog1>(), 0);
    EXPECT_EQ(fw::WindowAt(0), converter);
    ASSERT_TRUE(QTest::qWaitForWindowActive(QtAccess::Window(converter)->windowHandle()));
    Press(converter, Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(Count<Window1>(), 0);
    fw::testing::ProcessEvents();
    EXPECT_EQ(fw::WindowCount(), 0);

    // With no window the item is disabled, and its handler does nothing.
    EXPECT_EQ(EnabledCommands(), With({"FileConvertCharacters", "FileBlockConversions", "FileShowTable"}));
    EXPECT_FALSE(App()->_FileCloseWindow_Action());
    EXPECT_EQ(fw::WindowCount(), 0);
    // The converter comes back by its command, empty.
    Choose("FileConvertCharacters");
    ASSERT_EQ(fw::WindowCount(), 1);
    EXPECT_EQ(TextOf(Window1::Instance()->outputDec()), "");
    EXPECT_TRUE(fw::testing::TakeMessageBoxes().empty());
}

TEST_F(MenuCommandsTest, HtmlToggleRewritesTheConverterFromItsBinaryField) {
    Window1* window = Converter();
    // An empty binary field is code 0.
    Press(window, Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(TextOf(window->outputDec()), "&#0;");
    EXPECT_EQ(TextOf(window->outputHex()), "%00");
    EXPECT_EQ(TextOf(window->outputChar()), "NUL");
    EXPECT_EQ(TextOf(window->errorField()), "");
    Press(window, Qt::Key_L, Qt::ControlModifier);

    ClickInto(window->outputBin());
    Type(window, "0100 0001");
    ASSERT_EQ(TextOf(window->outputDec()), "65");
    struct Step {
        const char* dec;
        const char* hex;
    };
    for (const Step& step : {Step{"&#65;", "%41"}, Step{"65", "41"}, Step{"&#65;", "%41"}}) {
        Press(window, Qt::Key_L, Qt::ControlModifier);
        EXPECT_EQ(TextOf(window->outputDec()), step.dec);
        EXPECT_EQ(TextOf(window->outputHex()), step.hex);
        EXPECT_EQ(TextOf(window->outputChar()), "A");
        EXPECT_EQ(TextOf(window->outputBin()), "0100 0001");
    }
    // The focus stays where it was, and typing there goes on as before.
    EXPECT_TRUE(HasFocus(window->outputBin()));
    EXPECT_EQ(App()->focusLocation, 4);
}

// With the About box or the code table in front only the setting changes;
// the converter shows the new form from its next conversion.
TEST_F(MenuCommandsTest, HtmlToggleWithAnotherWindowInFrontOnlyChangesTheSetting) {
    Window1* window = Converter();
    ClickInto(window->outputDec());
    Type(window, "66");
    Choose("AppleAboutCharvella");
    Choose("EditShowDecimalandHexasHTML");
    EXPECT_TRUE(globalVars::showHTML);
    EXPECT_EQ(TextOf(window->outputDec()), "66");
    EXPECT_EQ(TextOf(window->outputHex()), "42");
    Choose("FileShowTable");
    Choose("EditShowDecimalandHexasHTML");
    EXPECT_FALSE(globalVars::showHTML);
    EXPECT_EQ(TextOf(window->outputDec()), "66");
    Choose("EditShowDecimalandHexasHTML");

    CloseAll();
    Choose("EditShowDecimalandHexasHTML");
    EXPECT_FALSE(globalVars::showHTML);
    EXPECT_EQ(fw::WindowCount(), 0);
}

// With the block converter in front the toggle converts its input again, in
// the new form and with the usual question about a very long block.
TEST_F(MenuCommandsTest, HtmlToggleConvertsTheBlockConvertersInputAgain) {
    Converter();
    Choose("FileBlockConversions");
    BlockConvert* blocks = BlockConvert::Instance();
    ASSERT_TRUE(QTest::qWaitForWindowActive(QtAccess::Window(blocks)->windowHandle()));
    blocks->EditField1()->SetText("Hi");
    auto outputs = [blocks] {
        return Strings{blocks->EditField2()->Text().ToUTF8(), blocks->EditField3()->Text().ToUTF8(),
                       blocks->EditField4()->Text().ToUTF8()};
    };
    ASSERT_EQ(outputs(), (Strings{"72 105", "48 69", "0100 1000 0110 1001"}));
    Press(blocks, Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(outputs(), (Strings{"&#72;&#105;", "%48%69", "0100 1000 0110 1001"}));
    Press(blocks, Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(outputs(), (Strings{"72 105", "48 69", "0100 1000 0110 1001"}));

    // Above 20000 characters the toggle asks first; Cancel converts nothing.
    GiveLongInput(blocks);
    const Strings plain = outputs();
    int asked = 0;
    After(0, [&] {
        ++asked;
        ASSERT_EQ(Count<sizeWarnSheet>(), 1);
        sizeWarnSheet::Instance()->PushButton2()->Push();  // Cancel
    });
    Choose("EditShowDecimalandHexasHTML");
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(globalVars::showHTML);
    EXPECT_EQ(outputs(), plain);
    // "Convert All Anyway" converts the whole block in the new form.
    After(0, [&] {
        ++asked;
        ASSERT_EQ(Count<sizeWarnSheet>(), 1);
        sizeWarnSheet::Instance()->PushButton3()->Push();
    });
    Choose("EditShowDecimalandHexasHTML");
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(globalVars::showHTML);
    EXPECT_EQ(CountFields(ReplaceAll(blocks->EditField2()->Text(), fw::Chr(13), ""), " "), 20001 + 1);
    EXPECT_EQ(Count<sizeWarnSheet>(), 0);
    EXPECT_TRUE(fw::testing::TakeMessageBoxes().empty());
}

// The block converter closed while the toggle's question waits: nothing is
// converted into it, and the converter, now in front, shows the new form.
TEST_F(MenuCommandsTest, HtmlToggleSurvivesTheBlockConverterClosingWhileItAsks) {
    Window1* converter = Converter();
    ClickInto(converter->outputDec());
    Type(converter, "65");
    Choose("FileBlockConversions");
    BlockConvert* blocks = BlockConvert::Instance();
    GiveLongInput(blocks);
    After(0, [] {
        ASSERT_EQ(Count<sizeWarnSheet>(), 1);
        BlockConvert::Instance()->Close();
    });
    Choose("EditShowDecimalandHexasHTML");
    fw::testing::ProcessEvents();
    EXPECT_EQ(Count<BlockConvert>(), 0);
    EXPECT_EQ(Count<sizeWarnSheet>(), 0);
    EXPECT_EQ(fw::WindowAt(0), converter);
    EXPECT_EQ(TextOf(converter->outputDec()), "&#65;");
    EXPECT_EQ(TextOf(converter->outputHex()), "%41");
    EXPECT_TRUE(fw::testing::TakeMessageBoxes().empty());
}

TEST_F(MenuCommandsTest, WebCommandsOpenTheMakersPagesOrSayWhyNot) {
    struct Case {
        const char* item;
        const char* address;
        Strings pages;
        Strings messages;
    };
    const Case cases[] = {
        {"InternetVisitTessarindswebsite", "192.168.1.20", {"http://www.tessarinds.com/"}, {}},
        {"HelpCheckForUpdates", "10.0.0.7", {"http://www.tessarinds.com/downloads.html"}, {}},
        {"InternetVisitTessarindswebsite",
         "0.0.0.0",
         {},
         {"You need to be connected to the internet to visit Tessarinds' website."}},
        {"HelpCheckForUpdates", "0.0.0.0", {}, {"You need to be connected to the internet to check for updates."}},
    };
    Converter();
    for (const Case& c : cases) {
        fw::testing::SetLocalAddress(c.address);
        Choose(c.item);
        EXPECT_EQ(fw::testing::TakeShownURLs(), c.pages) << c.item << " " << c.address;
        EXPECT_EQ(fw::testing::TakeMessageBoxes(), c.messages) << c.item << " " << c.address;
    }
    fw::testing::SetLocalAddress(nullptr);
}

TEST_F(MenuCommandsTest, ReopenEventShowsTheConverterOnlyWhenNoWindowIsOpen) {
    Window1* converter = Converter();
    Choose("AppleAboutCharvella");
    // Windows open: nothing happens.
    EXPECT_FALSE(fw::testing::SendAppleEvent("aevt", "rapp"));
    EXPECT_EQ(fw::WindowAt(0), Dialog1::Instance());
    EXPECT_EQ(fw::WindowCount(), 2);

    Dialog1::Instance()->Close();
    converter->Close();
    fw::testing::ProcessEvents();
    // Other events do nothing, also with no window open.
    for (const auto& [cls, id] : {std::pair{"aevt", "oapp"}, std::pair{"misc", "rapp"}, std::pair{"rapp", "aevt"}}) {
        EXPECT_FALSE(fw::testing::SendAppleEvent(cls, id)) << cls << " " << id;
        EXPECT_EQ(fw::WindowCount(), 0) << cls << " " << id;
    }
    EXPECT_FALSE(fw::testing::SendAppleEvent("aevt", "rapp"));
    ASSERT_EQ(fw::WindowCount(), 1);
    EXPECT_NE(dynamic_cast<Window1*>(fw::WindowAt(0)), nullptr);
    EXPECT_TRUE(fw::testing::TakeMessageBoxes().empty());
}

}  // namespace

namespace {

// Closing the last window by its command is a real close: without a global
// menu bar the program then ends, as a run's event loop shows.
TEST_F(MenuCommandsTest, CloseWindowOnTheLastWindowEndsTheProgramWithoutAGlobalMenuBar) {
    Window1* converter = Converter();
    Choose("AppleAboutCharvella");
    ASSERT_TRUE(QTest::qWaitForWindowActive(QtAccess::Window(Dialog1::Instance())->windowHandle()));
    QApplication::setQuitOnLastWindowClosed(true);
    After(0, [converter] {
        Press(Dialog1::Instance(), Qt::Key_W, Qt::ControlModifier);
        EXPECT_EQ(fw::WindowCount(), 1) << "one window left: the program runs on";
        After(50, [converter] { Press(converter, Qt::Key_W, Qt::ControlModifier); });
    });
    After(5000, [] { QCoreApplication::exit(99); });
    EXPECT_EQ(QApplication::exec(), 0) << "the program did not end with its last window";
    QApplication::setQuitOnLastWindowClosed(false);
    EXPECT_EQ(fw::WindowCount(), 0);
}

}  // namespace
