// The block converter's conversion: the count, the warning about a very
// long block, the progress sheet, and the engine's outputs in the areas.

#include "globalVars.h"
#include "BlockConvert.h"
#include "BlockEngine.h"
#include "fasterPlease.h"
#include "sizeWarnSheet.h"
#include "TextUtilitiesSubset.h"
#include "framework/MouseCursor.h"
#include "framework/Runtime.h"

#include <chrono>
#include <new>

using namespace fw;

namespace {

// Conversions started so far: a conversion that a newer one of the same
// input has overtaken stops.
unsigned conversionsStarted = 0;

// Thrown out of the engine when its conversion is no longer wanted: its
// window or its progress sheet was closed (Close Window closes the sheet in
// front), the program is quitting, or a newer conversion has begun. Each of
// these can happen while the conversion's loops yield.
struct Abandoned {};

// Writes the engine's progress into the progress sheet. A count inside a
// loop shows only while the sheet is in front. Each write is repainted at
// once, up to 30 times a second, so that repainting does not outweigh the
// conversion; the yield shows the rest.
class SheetProgress : public BlockEngine::Progress {
public:
    SheetProgress(const BlockConvert* window, unsigned conversion, fasterPlease* sheet)
        : window_(window), conversion_(conversion), sheet_(sheet) {}
    void Count(const String& label) override {
        StopIfAbandoned();
        if (sheet_ && WindowAt(0) == sheet_) Show(label);
    }
    void Label(const String& label) override {
        StopIfAbandoned();
        if (sheet_) Show(label);
    }
    void StopIfAbandoned() const {
        if (window_->IsClosed() || (sheet_ && sheet_->IsClosed()) || Quitting() || conversion_ != conversionsStarted)
            throw Abandoned();
    }

private:
    void Show(const String& label) {
        fw::Label* line = sheet_->StaticText1();
        line->SetText(label);
        const auto now = std::chrono::steady_clock::now();
        if (now - lastRepaint_ < std::chrono::milliseconds(33)) return;
        lastRepaint_ = now;
        line->Refresh(true);
    }
    const BlockConvert* window_;
    unsigned conversion_;
    // Closed windows are deleted only once no handler runs: it stays whole
    // while this conversion runs.
    fasterPlease* sheet_;
    std::chrono::steady_clock::time_point lastRepaint_{};
};

fasterPlease* showProgressSheet(BlockConvert* parent) {
    fasterPlease* sheet = fasterPlease::Instance();
    sheet->ShowWithin(parent);
    sheet->StaticText1()->SetText("Converting\u2026");
    sheet->StaticText1()->Refresh(true);
    return sheet;
}

// Closes the first open window of class W, from the front.
template <class W>
void closeFirst() {
    for (int i = 0; i < WindowCount(); ++i) {
        if (auto* window = dynamic_cast<W*>(WindowAt(i))) {
            window->Close();
            return;
        }
    }
}

void closeProgressSheet() { closeFirst<fasterPlease>(); }

void showCount(Label* count, int n) {
    count->SetText(Str(n) + " characters");
    count->Refresh(true);
}

// Asks whether to convert the first part, all, or nothing of a long block;
// the answer is in the two flags.
void askAboutSize(BlockConvert* window) {
    globalVars::convertAnyway = false;
    globalVars::convert1000 = false;
    const String limit = Str(BlockEngine::kWarnLength);
    const String warning =
        "Warning: Converting large text blocks (over " + limit + " characters in length) is not recommended.";
    int32_t sysv = 0;
    const bool oldSystem = System::Gestalt("sysv", sysv) && sysv < 0x0A00;
    const String middle = oldSystem ? String("\u2022 You may need to increase the memory allocated to Charvella "
                                             "using the Finder.")
                                    : "\u2022 Converting only the first " + limit +
                                          " characters is highly recommended.";
    const String advice = "\u2022 Large amounts of text may take a very long time to convert." + Chr(13) + middle +
                          Chr(13) + "\u2022 You can turn off this warning with the Edit menu.";
    sizeWarnSheet* sheet = sizeWarnSheet::Instance();
    sheet->PushButton1()->SetCaption("Convert " + limit);
    sheet->StaticText1()->SetText(warning);
    sheet->StaticText2()->SetText(advice);
    // A sheet is attached to its parent by the window system: the placement
    // that very old systems needed has no meaning here.
    sheet->ShowModalWithin(window);
    // The wait can also end without an answer (the program quitting): then
    // the flags say nothing is converted, and no sheet may stay behind.
    closeFirst<sizeWarnSheet>();
}

}  // namespace

void BlockConvert::convertBlock(String s) {
    const unsigned conversion = ++conversionsStarted;
    auto finish = [this] {
        SetMouseCursor(System::Cursors::StandardPointer());
        for (TextArea* area : {EditField2(), EditField3(), EditField4()}) area->SetReadOnly(true);
    };
    try {
        // Codes are taken in the system encoding, whichever event converts;
        // s stays as the user gave it.
        String block = TextUtilitiesSubset::ConvertText(s, TextUtilitiesSubset::SystemEncoding());
        int32_t n = Len(block);
        showCount(charCountField(), n);
        globalVars::convertAnyway = true;
        globalVars::convert1000 = false;
        for (TextArea* area : {EditField2(), EditField3(), EditField4()}) area->SetReadOnly(false);

        if (n > BlockEngine::kWarnLength && !globalVars::dontWarn) {
            askAboutSize(this);
            if (IsClosed()) return;
        }
        if (globalVars::convert1000 || globalVars::convertAnyway) {
            if (globalVars::convert1000) {
                block = Left(block, BlockEngine::kWarnLength);
                n = Len(block);
                // The input keeps the user's own characters, not their
                // system-encoding form, as one edit that Undo takes back. This
                // write converts the kept part once more, without asking.
                EditField1()->SetText(Left(s, BlockEngine::kWarnLength));
                // That conversion, if it ran inside the write, has shown them.
                if (IsClosed() || conversion != conversionsStarted) return;
                showCount(charCountField(), n);
            }
            s = String();
            const int form = PopupType()->ListIndex();
            // Outputs that would not fit into memory are not begun: the
            // system would end the program before an allocation failed.
            const uint64_t needed = BlockEngine::bytesNeeded(uint64_t(n), form, globalVars::showHTML) + 2 * uint64_t(n);
            if (needed > System::AvailableMemory()) throw std::bad_alloc();
            SetMouseCursor(System::Cursors::Wait());
            fasterPlease* sheet = n > BlockEngine::kProgressLength ? showProgressSheet(this) : nullptr;
            SheetProgress progress(this, conversion, sheet);
            auto outputs = BlockEngine::convert(block, form, globalVars::showHTML, &progress);
            block = String();
            if (outputs) {
                progress.StopIfAbandoned();
                // Taking hundreds of megabytes takes an area a moment: the
                // windows get a turn between the three. Once begun, the
                // outputs are written whole, unless their window goes.
                TextArea* areas[] = {EditField2(), EditField3(), EditField4()};
                for (int i = 0; i < 3; ++i) {
                    if (i > 0) YieldToScheduler();
                    if (IsClosed()) return;
                    areas[i]->SetText(std::move(outputs->area[i]));
                }
            }
            closeProgressSheet();
        }
        finish();
    } catch (const Abandoned&) {
        // A closed window has taken its sheets with it; one still open keeps
        // its input and its earlier outputs.
        if (IsClosed()) return;
        closeProgressSheet();
        finish();
    } catch (...) {
        closeProgressSheet();
        MsgBox("convertBlock conversion error.  This might be due to insufficient memory.");
        // The areas stay as they are, but no wait cursor is left over an idle window.
        SetMouseCursor(System::Cursors::StandardPointer());
    }
}

String BlockConvert::rewrapOutput(const String& s, const String& kind) {
    return BlockEngine::rewrap(s, kind, globalVars::showHTML);
}
