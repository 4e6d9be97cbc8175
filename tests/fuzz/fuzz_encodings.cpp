// Conversion between every pair of encodings (and Nil) from arbitrary bytes.
// The first byte picks the source (low half) and the destination (high half).

#include "FuzzSupport.h"

#include <algorithm>
#include <cstdint>
#include <string>

using namespace fw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const TextEncoding from = fuzz::EncodingNumber(data[0] & 0x0F), to = fuzz::EncodingNumber(data[0] >> 4);
    const TextEncoding fromOrSystem = from ? from : Encodings::MacRoman();  // untagged text is MacRoman
    const String s = String::FromBytes(std::string(reinterpret_cast<const char*>(data) + 1, size - 1), from);
    const bool clean = fuzz::Clean(s);

    // Into UTF-8: well-formed, one or more Unicode characters for each, and back.
    const String u = ConvertEncoding(s, Encodings::UTF8());
    FUZZ_CHECK(u.Encoding() == Encodings::UTF8());
    FUZZ_CHECK(u.Bytes() == s.ToUTF8());
    FUZZ_CHECK(fuzz::Clean(u) || from == Encodings::UTF8());  // the same encoding keeps the bytes
    FUZZ_CHECK(Len(u) >= Len(s) && Len(u) <= int(detail::kMaxSequence) * Len(s));
    if (clean) {
        FUZZ_CHECK(ConvertEncoding(u, fromOrSystem).Bytes() == s.Bytes());
        FUZZ_CHECK(s == u && u == s);
    }

    // Into the destination: only characters of it ("?" for the rest); where
    // nothing was lost the two compare equal, find each other and convert back.
    const String t = ConvertEncoding(s, to);
    FUZZ_CHECK(t.Encoding() == to);
    if (!to || to == from) {
        FUZZ_CHECK(t.Bytes() == s.Bytes());
    } else {
        FUZZ_CHECK(fuzz::Clean(t));
        const bool lossless = t.ToUTF8() == u.Bytes();
        if (clean && lossless) {
            FUZZ_CHECK(t == s && s == t);
            FUZZ_CHECK(ConvertEncoding(t, fromOrSystem).Bytes() == s.Bytes());
            if (!s.IsEmpty()) FUZZ_CHECK(InStr(s, t) == 1 && InStr(t, s) == 1);
            FUZZ_CHECK(ReplaceAll(s, t, "").IsEmpty());
            FUZZ_CHECK(CountFields(t, s) == (s.IsEmpty() ? (t.IsEmpty() ? 0 : 1) : 2));
        }
    }

    // A converter does the same; untagged text is read as its source.
    const auto converter = GetTextConverter(from, to);
    FUZZ_CHECK((converter == nullptr) == (!from || !to));
    if (converter) {
        FUZZ_CHECK(converter->convert(s).Bytes() == t.Bytes());
        FUZZ_CHECK(converter->convert(DefineEncoding(s, TextEncoding())).Bytes() == t.Bytes());
        FUZZ_CHECK(converter->convert(s).Encoding() == to);
    }

    const String defined = DefineEncoding(s, to);
    FUZZ_CHECK(defined.Bytes() == s.Bytes() && defined.Encoding() == to);

    const TextEncoding guess = GuessJapaneseEncoding(s);
    FUZZ_CHECK(!guess || guess == Encodings::MacJapanese());

    // Clean text joins without changing its characters, whatever the encodings.
    if (clean && fuzz::Clean(t)) FUZZ_CHECK((s + t).ToUTF8() == s.ToUTF8() + t.ToUTF8());

    return 0;
}
