// Fuzzes the block conversion over arbitrary blocks, input forms and HTML
// settings, and its wrapping over arbitrary texts and kinds. Checks, beside
// the sanitizers: a form outside the rows converts nothing; invalid input
// shows one message in all three areas; the wrapping equals the plain
// transcription of its rule; wrapped lines stay within 105 characters; and
// the code lists of a text, read back as input of their own form, give the
// text again.

#include "../BlockRules.h"
#include "FuzzSupport.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <string>

using namespace fw;

namespace {

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
    FUZZ_CHECK(out.has_value() == (form != 4));
    if (out && out->invalid) FUZZ_CHECK(out->area[0] == out->area[1] && out->area[1] == out->area[2]);

    // Malformed UTF-8 has no one reading of its characters to compare.
    if (bytes.size() <= 4096 && !utf8) {
        const String kinds[] = {"D", "H", "B", "T"};
        FUZZ_CHECK(BlockEngine::rewrap(block, kinds[kind], html).Bytes() ==
                   blockrules::PlainWrap(block, kinds[kind], html).Bytes());
    }

    if (form == BlockEngine::kText && !utf8 && out) {
        if (!html)
            for (const String& list : out->area) FUZZ_CHECK(LinesWithin(list, 105));
        FUZZ_CHECK(blockrules::ListsReadBack(block));
    }
    return 0;
}
