#include "FileTypes.h"

namespace FileTypes {

void _Initialize() {
    pText = std::make_unique<fw::FileType>();
    pText->SetName("text");
    pText->SetExtensions(".asc;.ascii;.text;.txt;.rtf;.html;.htm;.me");
    pText->SetMacType("TEXT");
    pText->SetMacCreator("????");
    // Setting a field withdraws a registration, so register last.
    pText->Register();
}

}  // namespace FileTypes
