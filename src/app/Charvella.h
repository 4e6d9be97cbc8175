#pragma once

// The application object: the settings reset and the start-up work of the
// Open event, the menu commands and their enabling, the reopen event, the
// record of the focused text field, and the code routines that every window
// shares.

#include "framework/Application.h"
#include "framework/Picture.h"
#include "framework/String.h"

#include <cstdint>

class Charvella : public fw::Application {
public:
    // The text field that last got the keyboard focus: 1-4 the converter's
    // character, decimal, hexadecimal and binary fields; 5-8 the block
    // converter's input and outputs; 0 before any.
    int32_t focusLocation = 0;
    // The application icon with its mask, built at Open.
    fw::PicturePtr maskedIconPicture;

    void Event_Open() override;
    // Enables the menu items by the front window and checks the two settings.
    void Event_EnableMenuItems() override;
    // The reopen event shows the converter window when no window is open.
    bool Event_HandleAppleEvent(fw::AppleEvent* event, const fw::String& eventClass,
                                const fw::String& eventID) override;

    // Menu commands, bound by item name at start-up; each returns False.
    bool _FileBlockConversions_Action();
    bool _FileCloseWindow_Action();
    bool _AppleAboutCharvella_Action();
    bool _InternetVisitTessarindswebsite_Action();
    bool _FileShowTable_Action();
    bool _EditWarnOnLargeTextBlocks_Action();
    bool _HelpCheckForUpdates_Action();
    bool _FileConvertCharacters_Action();
    bool _EditShowDecimalandHexasHTML_Action();

    // Code routines.
    fw::String binary(fw::String s);
    fw::String removeSpaces(fw::String s);
    bool invalidHex(const fw::String& s);
    bool invalidBin(const fw::String& s);
    bool invalidDec(const fw::String& s);
    void maskIcons();
    fw::String removeDecHTML(fw::String s);
    fw::String removeHexHTML(fw::String s);
    bool isIn(int32_t n, const fw::String& list);
};

// The application object; nullptr before it is registered at start-up.
Charvella* App();
