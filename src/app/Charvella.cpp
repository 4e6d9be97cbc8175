#include "Charvella.h"

#include "BundlePictures.h"
#include "TessarindsBasics.h"
#include "globalVars.h"
#include "Window1.h"
#include "framework/Exceptions.h"

void Charvella::Event_Open() {
    globalVars::dontWarn = false;
    globalVars::showHTML = false;
    globalVars::convert1000 = false;
    globalVars::convertAnyway = false;
    // The gate may ask to quit; the rest of Open goes on all the same and the
    // application ends once the event loop takes the request.
    TessarindsBasics::checkOSversion();
    maskIcons();
    fw::NonNil(Window1::Instance())->Show();
}

void Charvella::maskIcons() { maskedIconPicture = buildMaskedIcon(); }
