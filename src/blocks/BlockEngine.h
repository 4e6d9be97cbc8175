#pragma once

// The block conversion without its window: one block of text, decimal,
// hexadecimal or binary codes in, the three wrapped outputs of the block
// converter out. Plain functions over framework strings, so that tests, the
// benchmark and the fuzz target can run them without a window.
//
// Each code's pieces are looked up in tables made once, appended into
// buffers reserved for the whole output, and the outputs are wrapped by
// offsets, so a block costs time linear in its length.

#include "framework/String.h"

#include <cstdint>
#include <optional>

namespace BlockEngine {

// The input forms, as the rows of the block converter's popup.
enum Form { kText = 0, kDecimal = 1, kHexadecimal = 2, kBinary = 3 };

inline constexpr int kWarnLength = 20000;      // longer blocks are warned about
inline constexpr int kProgressLength = 875;    // longer blocks show the progress sheet

extern const char* const kDecimalMessage;
extern const char* const kHexMessage;
extern const char* const kBinaryMessage;

// Where the conversion reports how far it has come.
class Progress {
public:
    virtual ~Progress() = default;
    // A count inside a conversion loop (every 237 characters, fields or
    // hexadecimal codes; every 12 binary codes).
    virtual void Count(const fw::String& label) = 0;
    // The count after a loop, and "Rewrapping output…" before the wrapping.
    virtual void Label(const fw::String& label) = 0;
};

struct Outputs {
    // The block was no valid list of its form: the three areas hold its message.
    bool invalid = false;
    // What the block converter's three output areas show, in their order.
    fw::String area[3];
};

// Converts block, read in form; nothing (std::nullopt) for a form outside 0-3.
// The decimal and hexadecimal codes are written in their HTML forms when
// showHTML is set. Progress, when given, hears of long blocks only.
std::optional<Outputs> convert(const fw::String& block, int form, bool showHTML, Progress* progress = nullptr);

// Bytes that converting a block of n characters in form takes at its peak,
// the three outputs and their lines included; what the caller holds itself
// (the block) is not counted. An estimate from above.
uint64_t bytesNeeded(uint64_t n, int form, bool showHTML);

// Breaks an output into lines that end in a blank and a carriage return.
// kind: "D" decimal, "H" hexadecimal, "B" binary list, "T" text.
fw::String rewrap(const fw::String& s, const fw::String& kind, bool showHTML);

}  // namespace BlockEngine
