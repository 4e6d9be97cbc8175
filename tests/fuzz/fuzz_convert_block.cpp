// Fuzzes the block conversion over arbitrary blocks, input forms and HTML
// settings, and its wrapping over arbitrary texts and kinds. Checks, beside
// the sanitizers: a form outside the rows converts nothing; invalid input
// shows one message in all three areas; the wrapping equals a plain
// transcription of its rule; wrapped lines stay within 105 characters; and
// the code lists of a text, read back as input of their own form, give the
// text again.

#include "blocks/BlockEngine.h"
#include "framework/String.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

using namespace fw;

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

// The wrapping rule, step by step, with the framework's string functions.
String PlainWrap(const String& s, const String& kind, bool html) {
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
            out = out + Trim(Left(rest, p - 1)) + " " + Chr(13);
            rest = Right(rest, L - (p - 1));
        }
        result = out + rest;
    }
    if (kind == "T" && double(Len(s)) / 80.0 < double(CountFields(s, Chr(13)))) return s;
    return result;
}

bool LinesWithin(const String& list, int width) {
    const int lines = CountFields(list, Chr(13));
    for (int i = 1; i <= lines; ++i)
        if (Len(NthField(list, Chr(13), i)) > width) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const int form = in.ConsumeIntegralInRange(0, 4);
    const bool html = in.ConsumeBool();
    const bool utf8 = in.ConsumeBool();
    const int kind = in.ConsumeIntegralInRange(0, 3);
    const std::string bytes = in.ConsumeRemainingBytesAsString();
    const String block = String::FromBytes(bytes, utf8 ? Encodings::UTF8() : Encodings::MacRoman());

    const auto out = BlockEngine::convert(block, form, html);
    Check(out.has_value() == (form != 4));
    if (out && out->invalid) Check(out->area[0] == out->area[1] && out->area[1] == out->area[2]);

    // Malformed UTF-8 has no one reading of its characters to compare.
    if (bytes.size() <= 4096 && !utf8) {
        const String kinds[] = {"D", "H", "B", "T"};
        Check(BlockEngine::rewrap(block, kinds[kind], html).Bytes() == PlainWrap(block, kinds[kind], html).Bytes());
    }

    // The code lists of a text read back.
    if (form == BlockEngine::kText && !utf8 && out) {
        if (!html)
            for (const String& list : out->area) Check(LinesWithin(list, 105));
        const auto lists = BlockEngine::convert(block, BlockEngine::kText, false);
        const String text = BlockEngine::rewrap(block, "T", false);
        const auto fromHex = BlockEngine::convert(lists->area[1], BlockEngine::kHexadecimal, false);
        const auto fromBinary = BlockEngine::convert(lists->area[2], BlockEngine::kBinary, false);
        Check(!fromHex->invalid && fromHex->area[1].Bytes() == text.Bytes());
        Check(!fromBinary->invalid && fromBinary->area[2].Bytes() == text.Bytes());
        Check(fromHex->area[0] == lists->area[0] && fromBinary->area[1] == lists->area[1]);
        // A wrapped decimal list ends in blanks, each one more field of code 0.
        String withZeros = block;
        const std::string unwrapped = ReplaceAll(lists->area[0], Chr(13), "").Bytes();
        for (auto c = unwrapped.rbegin(); c != unwrapped.rend() && *c == ' '; ++c) withZeros += Chr(0);
        const auto fromDecimal = BlockEngine::convert(lists->area[0], BlockEngine::kDecimal, false);
        Check(!fromDecimal->invalid &&
              fromDecimal->area[0].Bytes() == BlockEngine::rewrap(withZeros, "T", false).Bytes());
    }
    return 0;
}
