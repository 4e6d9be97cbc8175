#pragma once

// Shared by the fuzz targets: invariant checks that stop the run (libFuzzer
// keeps the input that broke one), the encodings to draw from, and whether a
// string holds only characters of its encoding.

#include "framework/EncodingData.h"
#include "framework/String.h"
#include "framework/TextEncoding.h"

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: broken invariant: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace fuzz {

// The ten encodings and, for 10 and up, Nil (raw bytes).
inline fw::TextEncoding EncodingNumber(unsigned n) {
    using namespace fw::Encodings;
    static const fw::TextEncoding all[] = {ASCII(),       MacRoman(),      MacJapanese(), MacIcelandic(),
                                           MacGreek(),    MacCyrillic(),   UTF8(),        WindowsLatin1(),
                                           ISOLatin1(),   ISOLatin9()};
    return n < std::size(all) ? all[n] : fw::TextEncoding();
}
constexpr unsigned kEncodingNumbers = 11;

// Every character is a character of the string's encoding: no stray byte, no
// unassigned code (which converts as U+FFFD and cannot come back).
inline bool Clean(const fw::String& s) {
    const fw::EncodingData& e = fw::detail::Effective(s.Encoding());
    const std::string& b = s.Bytes();
    for (size_t pos = 0; pos < b.size();) {
        const fw::detail::DecodedChar c = fw::detail::DecodeChar(e, b, pos);
        if (!c.wellFormed || (c.unicode == fw::detail::kReplacement && e.kind != fw::EncodingKind::UTF8))
            return false;
        pos += c.length;
    }
    return true;
}

}  // namespace fuzz
