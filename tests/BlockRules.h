#pragma once

// Shared by the block engine's tests and its fuzz target: the wrapping rule
// written out plainly with the framework's string functions, and the read-back
// of a text's code lists, against which the fast engine is checked.

#include "BlockEngine.h"
#include "framework/String.h"

#include <string>

namespace blockrules {

// The plain rule breaks at a blank in columns 90-105 (else at 105), the HTML
// rule before "&" or "%" in columns 80-95 (else at 90); a text that already
// has more lines than one per 80 characters keeps them.
inline fw::String PlainWrap(const fw::String& s, const fw::String& kind, bool html) {
    using namespace fw;
    int L = Len(s);
    String result = s;
    if (L > 100) {
        String out, rest = s;
        const bool htmlRule = html && kind != "T" && kind != "B";
        while (L >= (htmlRule ? 81 : 91)) {
            L = Len(rest);
            int p = htmlRule ? 90 : 105;
            for (int col = htmlRule ? 80 : 90; col <= (htmlRule ? 95 : 105); ++col) {
                const String c = Mid(rest, col, 1);
                if (htmlRule ? (c == "&" || c == "%") : (!c.IsEmpty() && Asc(c) == 32)) {
                    p = col;
                    break;
                }
            }
            out += Trim(Left(rest, p - 1)) + " " + Chr(13);
            rest = Right(rest, L - (p - 1));
        }
        result = out + rest;
    }
    if (kind == "T" && double(Len(s)) / 80.0 < double(CountFields(s, Chr(13)))) return s;
    return result;
}

// Whether the plain code lists of a MacRoman text, read back as input of
// their own form, give the (wrapped) text again, and the other lists as
// they were. A wrapped decimal list ends in blanks, each one more field of
// code 0.
inline bool ListsReadBack(const fw::String& text) {
    using namespace fw;
    using BlockEngine::convert;
    const auto lists = convert(text, BlockEngine::kText, false);
    const auto fromDecimal = convert(lists->area[0], BlockEngine::kDecimal, false);
    const auto fromHex = convert(lists->area[1], BlockEngine::kHexadecimal, false);
    const auto fromBinary = convert(lists->area[2], BlockEngine::kBinary, false);
    const std::string wrapped = BlockEngine::rewrap(text, "T", false).Bytes();
    String withZeros = text;
    const std::string unwrapped = ReplaceAll(lists->area[0], Chr(13), "").Bytes();
    for (auto c = unwrapped.rbegin(); c != unwrapped.rend() && *c == ' '; ++c) withZeros += Chr(0);
    return !fromDecimal->invalid && !fromHex->invalid && !fromBinary->invalid &&
           fromDecimal->area[0].Bytes() == BlockEngine::rewrap(withZeros, "T", false).Bytes() &&
           fromHex->area[1].Bytes() == wrapped && fromBinary->area[2].Bytes() == wrapped &&
           fromHex->area[0] == lists->area[0] && fromBinary->area[1] == lists->area[1];
}

}  // namespace blockrules
