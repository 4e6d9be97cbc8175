// The application's menu commands, their enabling and the reopen event.

#include "Charvella.h"
#include "Dialog1.h"
#include "Menu.h"
#include "WebSite.h"
#include "globalVars.h"
#include "BlockConvert.h"
#include "Window1.h"
#include "framework/Exceptions.h"
#include "framework/Runtime.h"
#include "framework/TCPSocket.h"
#include "framework/Window.h"
#include "tableWindow.h"

#include <memory>

using namespace fw;

namespace {

// The front window is asked for afresh each time: a handler may have changed it.
template <class W>
bool frontIs() {
    return dynamic_cast<W*>(WindowAt(0)) != nullptr;
}

void enable(const MenuItemPtr& item) { NonNil(item)->SetEnabled(true); }

// Opens a page of the maker's site, or says why not when the machine has no
// network address.
void openWebPage(const char* page, const char* offlineMessage) {
    // Never connected: it only tells the machine's address.
    auto socket = std::make_unique<TCPSocket>();
    if (socket->LocalAddress() == "0.0.0.0")
        MsgBox(offlineMessage);
    else
        ShowURL(page);
}

}  // namespace

void Charvella::Event_EnableMenuItems() {
    if (WindowCount() > 0) {
        if (!frontIs<Window1>()) enable(FileConvertCharacters());
        if (!frontIs<tableWindow>()) enable(FileShowTable());
        if (!frontIs<BlockConvert>()) enable(FileBlockConversions());
    } else if (WindowCount() == 0) {
        enable(FileConvertCharacters());
        enable(FileShowTable());
        enable(FileBlockConversions());
    }
    if (WindowCount() > 0) enable(FileCloseWindow());
    enable(EditWarnOnLargeTextBlocks());
    EditWarnOnLargeTextBlocks()->SetChecked(!globalVars::dontWarn);
    enable(EditShowDecimalandHexasHTML());
    EditShowDecimalandHexasHTML()->SetChecked(globalVars::showHTML);
    enable(AppleAboutCharvella());
    enable(InternetVisitTessarindswebsite());
    enable(HelpCheckForUpdates());
}

bool Charvella::Event_HandleAppleEvent(AppleEvent*, const String& eventClass, const String& eventID) {
    if (eventID == "rapp" && eventClass == "aevt" && WindowCount() == 0) NonNil(Window1::Instance())->Show();
    return false;
}

bool Charvella::_FileBlockConversions_Action() {
    NonNil(BlockConvert::Instance())->Show();
    return false;
}

bool Charvella::_FileCloseWindow_Action() {
    if (WindowCount() >= 1) NonNil(WindowAt(0))->Close();
    return false;
}

bool Charvella::_AppleAboutCharvella_Action() {
    NonNil(Dialog1::Instance())->Show();
    return false;
}

bool Charvella::_InternetVisitTessarindswebsite_Action() {
    openWebPage(kHomePage, "You need to be connected to the internet to visit Tessarinds' website.");
    return false;
}

bool Charvella::_FileShowTable_Action() {
    NonNil(tableWindow::Instance())->Show();
    return false;
}

bool Charvella::_EditWarnOnLargeTextBlocks_Action() {
    globalVars::dontWarn = !globalVars::dontWarn;
    return false;
}

bool Charvella::_HelpCheckForUpdates_Action() {
    openWebPage(kDownloadsPage, "You need to be connected to the internet to check for updates.");
    return false;
}

bool Charvella::_FileConvertCharacters_Action() {
    NonNil(Window1::Instance())->Show();
    return false;
}

bool Charvella::_EditShowDecimalandHexasHTML_Action() {
    globalVars::showHTML = !globalVars::showHTML;
    if (frontIs<BlockConvert>()) {
        BlockConvert* blocks = NonNil(BlockConvert::Instance());
        blocks->convertBlock(NonNil(blocks->EditField1())->Text());
    }
    // The conversion may have changed the front window (its sheets, or the
    // block converter closed while one waited): ask again.
    if (frontIs<Window1>()) {
        Window1* converter = NonNil(Window1::Instance());
        converter->binProcess(NonNil(converter->outputBin())->Text());
    }
    return false;
}
