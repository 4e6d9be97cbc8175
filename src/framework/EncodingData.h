#pragma once

// Framework-internal: what a TextEncoding handle points to, and the
// character-level decoding and encoding that String and the converters share.

#include "framework/TextEncoding.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fw {

enum class EncodingKind { SingleByte, UTF8, MacJapanese };

struct EncodingData {
    const char* name;          // as the code table shows it
    const char* internetName;  // IANA name
    int base;                  // Mac OS text-encoding triple (the variant is always 0)
    int format;
    EncodingKind kind;
    bool asciiCompatible;      // bytes 0x00-0x7F stand for themselves
    const char* icuName;       // single-byte encodings whose table ICU provides
};

namespace detail {

// Raw bytes are read as MacRoman, the system encoding.
const EncodingData& Effective(TextEncoding enc);

inline bool IsMultiByte(const EncodingData& e) { return e.kind != EncodingKind::SingleByte; }

// A MacJapanese character that stands for several Unicode characters decodes
// to kSequence | (its place in kMacJapaneseSequences).
constexpr char32_t kSequence = 0x40000000;
constexpr char32_t kReplacement = 0xFFFD;

struct DecodedChar {
    char32_t unicode;  // kReplacement when the bytes are no character
    uint32_t length;   // bytes taken, at least 1
    bool wellFormed;   // false for a stray byte (invalid UTF-8, lone lead byte, ...)
};

// The character starting at pos (pos < bytes.size()).
DecodedChar DecodeChar(const EncodingData& e, std::string_view bytes, size_t pos);
// Bytes taken by the character at pos; needs no tables.
uint32_t CharLength(const EncodingData& e, std::string_view bytes, size_t pos);
// The character's code in its own encoding: the byte, the Unicode code point
// (a stray UTF-8 byte gives its byte value) or MacJapanese lead * 256 + trail.
int CharCode(const EncodingData& e, std::string_view bytes, size_t pos);

// Whether every character of bytes is well formed in e (no stray byte).
bool AllWellFormed(const EncodingData& e, std::string_view bytes);

// Simple case folding; sequences fold to themselves.
char32_t Fold(char32_t c);

void AppendUTF8(std::string& out, char32_t c);
// Decodes all of bytes into Unicode; sequences are expanded.
std::u32string Decode(const EncodingData& e, std::string_view bytes);
// Encodes text; characters e cannot hold become "?".
std::string Encode(const EncodingData& e, std::u32string_view text);
std::string Transcode(const EncodingData& from, std::string_view bytes, const EncodingData& to);

// Generated tables (MacTables.cpp).
struct MacJapaneseChar {
    uint16_t code;
    char32_t unicode;
};
constexpr size_t kMaxSequence = 5;
struct MacJapaneseSequence {
    uint16_t code;
    char32_t unicode[kMaxSequence];  // shorter sequences end in zeros
};
extern const char32_t kMacIcelandic[256];
extern const MacJapaneseChar kMacJapaneseChars[];
extern const size_t kMacJapaneseCharCount;
extern const MacJapaneseSequence kMacJapaneseSequences[];
extern const size_t kMacJapaneseSequenceCount;

// The Unicode characters that a decoded sequence key (kSequence | place) stands for.
inline std::u32string_view SequenceText(char32_t key) {
    const char32_t* u = kMacJapaneseSequences[key - kSequence].unicode;
    size_t n = 1;
    while (n < kMaxSequence && u[n] != U'\0') ++n;
    return {u, n};
}

}  // namespace detail
}  // namespace fw
