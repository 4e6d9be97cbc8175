#include "framework/TextEncoding.h"

#include "framework/EncodingData.h"
#include "framework/Exceptions.h"
#include "framework/String.h"

#include <QtGlobal>

#include <unicode/uchar.h>
#include <unicode/ucnv.h>

#include <algorithm>
#include <array>
#include <map>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace fw {

namespace {

using detail::kReplacement;
using detail::kSequence;

enum EncodingId { kASCII, kMacRoman, kMacJapanese, kMacIcelandic, kMacGreek, kMacCyrillic, kUTF8,
                  kWindowsLatin1, kISOLatin1, kISOLatin9, kEncodingCount };

using K = EncodingKind;
constexpr EncodingData kEncodings[kEncodingCount] = {
    {"ASCII", "US-ASCII", 0x600, 0, K::SingleByte, true, "US-ASCII"},
    {"MacRoman", "macintosh", 0, 0, K::SingleByte, true, "macintosh"},
    {"MacJapanese", "x-mac-japanese", 1, 0, K::MacJapanese, false, nullptr},
    {"MacIcelandic", "x-mac-icelandic", 0x25, 0, K::SingleByte, true, nullptr},
    {"MacGreek", "x-mac-greek", 6, 0, K::SingleByte, true, "x-mac-greek"},
    {"MacCyrillic", "x-mac-cyrillic", 7, 0, K::SingleByte, true, "x-mac-cyrillic"},
    {"UTF-8", "UTF-8", 0x100, 2, K::UTF8, true, nullptr},
    {"WindowsLatin1", "windows-1252", 0x500, 0, K::SingleByte, true, "windows-1252"},
    {"ISOLatin1", "ISO-8859-1", 0x201, 0, K::SingleByte, true, "ISO-8859-1"},
    {"ISOLatin9", "ISO-8859-15", 0x20F, 0, K::SingleByte, true, "ISO-8859-15"},
};

TextEncoding Handle(EncodingId id) { return TextEncoding(&kEncodings[id]); }

// ---- Single-byte tables ----

struct SingleByteTable {
    std::array<char32_t, 256> toUnicode{};
    std::unordered_map<char32_t, uint8_t> fromUnicode;
};

// ICU 72's tables for these encodings agree with the vendors' (Apple's current
// ones: MacRoman 0xDB is the euro sign). Windows-1252's five unassigned bytes
// give the C1 controls, as Windows itself does. Unmapped bytes stop the
// conversion instead of turning into a substitute, so they can be told apart.
std::array<char32_t, 256> TableFromICU(const char* name) {
    UErrorCode err = U_ZERO_ERROR;
    std::unique_ptr<UConverter, decltype(&ucnv_close)> conv(ucnv_open(name, &err), ucnv_close);
    ucnv_setToUCallBack(conv.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &err);
    if (U_FAILURE(err)) throw RuntimeException(std::string("ICU has no converter ") + name);
    std::array<char32_t, 256> table{};
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        UChar out[4];
        err = U_ZERO_ERROR;
        ucnv_reset(conv.get());
        const int32_t n = ucnv_toUChars(conv.get(), out, 4, &byte, 1, &err);
        table[b] = U_SUCCESS(err) && n == 1 ? out[0] : kReplacement;
    }
    return table;
}

const SingleByteTable& Table(const EncodingData& e) {
    static const std::array<SingleByteTable, kEncodingCount> tables = [] {
        std::array<SingleByteTable, kEncodingCount> t;
        for (int id = 0; id < kEncodingCount; ++id) {
            const EncodingData& enc = kEncodings[id];
            if (enc.kind != K::SingleByte) continue;
            if (enc.icuName)
                t[id].toUnicode = TableFromICU(enc.icuName);
            else
                std::copy_n(detail::kMacIcelandic, 256, t[id].toUnicode.begin());
            for (int b = 255; b >= 0; --b)  // the lowest byte wins
                if (t[id].toUnicode[b] != kReplacement) t[id].fromUnicode[t[id].toUnicode[b]] = uint8_t(b);
        }
        return t;
    }();
    return tables[&e - kEncodings];
}

// ---- MacJapanese ----

int LeadIndex(uint8_t b) {
    if (b >= 0x81 && b <= 0x9F) return b - 0x81;
    if (b >= 0xE0 && b <= 0xFC) return b - 0xE0 + 31;
    return -1;
}
int TrailIndex(uint8_t b) {
    if (b >= 0x40 && b <= 0x7E) return b - 0x40;
    if (b >= 0x80 && b <= 0xFC) return b - 0x80 + 63;
    return -1;
}
constexpr int kLeadCount = 60, kTrailCount = 188;

size_t PairSlot(uint8_t lead, uint8_t trail) { return size_t(LeadIndex(lead) * kTrailCount + TrailIndex(trail)); }

struct MacJapaneseTables {
    std::array<char32_t, 256> single{};
    std::vector<char32_t> pairs;  // by PairSlot
    std::unordered_map<char32_t, uint16_t> fromUnicode;
    std::map<std::u32string, uint16_t, std::less<>> fromSequence;
    std::unordered_set<char32_t> sequenceStarts;

    char32_t& Slot(uint16_t code) {
        if (code < 256) return single[code];
        return pairs[PairSlot(uint8_t(code >> 8), uint8_t(code & 0xFF))];
    }
};

const MacJapaneseTables& Japanese() {
    static const MacJapaneseTables tables = [] {
        MacJapaneseTables t;
        t.single.fill(kReplacement);
        t.pairs.assign(kLeadCount * kTrailCount, kReplacement);
        for (size_t i = 0; i < detail::kMacJapaneseCharCount; ++i) {
            const auto& c = detail::kMacJapaneseChars[i];
            t.Slot(c.code) = c.unicode;
            t.fromUnicode.emplace(c.unicode, c.code);
        }
        for (size_t i = 0; i < detail::kMacJapaneseSequenceCount; ++i) {
            const auto& s = detail::kMacJapaneseSequences[i];
            t.Slot(s.code) = kSequence | char32_t(i);
            t.fromSequence.emplace(detail::SequenceText(kSequence | char32_t(i)), s.code);
            t.sequenceStarts.insert(s.unicode[0]);
        }
        return t;
    }();
    return tables;
}

void AppendCode(std::string& out, uint16_t code) {
    if (code > 0xFF) out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
}

// Appends the code for the text at i and returns the characters it took.
// Longest match first: a sequence beats its first character alone.
size_t EncodeJapanese(std::string& out, std::u32string_view text, size_t i) {
    const MacJapaneseTables& t = Japanese();
    if (t.sequenceStarts.count(text[i])) {
        for (size_t length = std::min(detail::kMaxSequence, text.size() - i); length > 1; --length) {
            const auto it = t.fromSequence.find(text.substr(i, length));
            if (it != t.fromSequence.end()) {
                AppendCode(out, it->second);
                return length;
            }
        }
    }
    const auto it = t.fromUnicode.find(text[i]);
    if (it == t.fromUnicode.end())
        out += '?';
    else
        AppendCode(out, it->second);
    return 1;
}

// ---- UTF-8 ----

// A stray byte (not part of a well-formed sequence) is one character.
detail::DecodedChar DecodeUTF8(std::string_view b, size_t pos) {
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(b[i]); };
    const uint8_t lead = byte(pos);
    if (lead < 0x80) return {lead, 1, true};
    uint32_t length;
    char32_t c, min;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2, c = lead & 0x1F, min = 0x80;
    else if (lead >= 0xE0 && lead <= 0xEF) length = 3, c = lead & 0x0F, min = 0x800;
    else if (lead >= 0xF0 && lead <= 0xF4) length = 4, c = lead & 0x07, min = 0x10000;
    else return {kReplacement, 1, false};
    if (b.size() - pos < length) return {kReplacement, 1, false};
    for (uint32_t i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) return {kReplacement, 1, false};
        c = (c << 6) | (byte(pos + i) & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return {kReplacement, 1, false};
    return {c, length, true};
}

}  // namespace

namespace detail {

bool AllWellFormed(const EncodingData& e, std::string_view b) {
    for (size_t pos = 0; pos < b.size();) {
        // Runs of ASCII take the short way: whole files are checked.
        if (e.asciiCompatible && static_cast<uint8_t>(b[pos]) < 0x80) {
            ++pos;
            continue;
        }
        const DecodedChar c = DecodeChar(e, b, pos);
        if (!c.wellFormed) return false;
        pos += c.length;
    }
    return true;
}

const EncodingData& Effective(TextEncoding enc) { return enc ? *enc.Data() : kEncodings[kMacRoman]; }

uint32_t CharLength(const EncodingData& e, std::string_view b, size_t pos) {
    switch (e.kind) {
    case K::SingleByte: return 1;
    case K::UTF8: return static_cast<uint8_t>(b[pos]) < 0x80 ? 1 : DecodeUTF8(b, pos).length;
    case K::MacJapanese:
        return pos + 1 < b.size() && LeadIndex(uint8_t(b[pos])) >= 0 && TrailIndex(uint8_t(b[pos + 1])) >= 0 ? 2 : 1;
    }
    return 1;
}

DecodedChar DecodeChar(const EncodingData& e, std::string_view b, size_t pos) {
    const uint8_t byte = static_cast<uint8_t>(b[pos]);
    switch (e.kind) {
    case K::SingleByte: {
        const char32_t c = Table(e).toUnicode[byte];
        return {c, 1, c != kReplacement};
    }
    case K::UTF8: return DecodeUTF8(b, pos);
    case K::MacJapanese: {
        const MacJapaneseTables& t = Japanese();
        if (CharLength(e, b, pos) == 1) return {t.single[byte], 1, t.single[byte] != kReplacement};
        return {t.pairs[PairSlot(byte, uint8_t(b[pos + 1]))], 2, true};
    }
    }
    return {kReplacement, 1, false};
}

int CharCode(const EncodingData& e, std::string_view b, size_t pos) {
    const uint8_t byte = static_cast<uint8_t>(b[pos]);
    if (e.kind == K::UTF8) {
        const DecodedChar c = DecodeUTF8(b, pos);
        return c.wellFormed ? int(c.unicode) : byte;
    }
    if (CharLength(e, b, pos) == 2) return byte * 256 + static_cast<uint8_t>(b[pos + 1]);
    return byte;
}

char32_t Fold(char32_t c) {
    if (c < 0x80) return c >= 'A' && c <= 'Z' ? c + 32 : c;
    if (c >= kSequence) return c;
    return char32_t(u_foldCase(UChar32(c), U_FOLD_CASE_DEFAULT));
}

void AppendUTF8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacement;
    const auto put = [&](char32_t v) { out += static_cast<char>(static_cast<uint8_t>(v)); };
    if (c < 0x80) {
        put(c);
    } else if (c < 0x800) {
        put(0xC0 | (c >> 6)), put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        put(0xE0 | (c >> 12)), put(0x80 | ((c >> 6) & 0x3F)), put(0x80 | (c & 0x3F));
    } else {
        put(0xF0 | (c >> 18)), put(0x80 | ((c >> 12) & 0x3F)), put(0x80 | ((c >> 6) & 0x3F)),
            put(0x80 | (c & 0x3F));
    }
}

std::u32string Decode(const EncodingData& e, std::string_view b) {
    std::u32string out;
    out.reserve(b.size());
    for (size_t pos = 0; pos < b.size();) {
        const DecodedChar c = DecodeChar(e, b, pos);
        if (c.unicode >= kSequence)
            out += SequenceText(c.unicode);
        else
            out += c.unicode;
        pos += c.length;
    }
    return out;
}

std::string Encode(const EncodingData& e, std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const char32_t c = text[i];
        if (e.kind == K::MacJapanese) {
            i += EncodeJapanese(out, text, i);
            continue;
        }
        ++i;
        if (e.kind == K::UTF8) {
            AppendUTF8(out, c);
        } else if (c < 0x80 && e.asciiCompatible) {
            out += static_cast<char>(c);
        } else {
            const auto& from = Table(e).fromUnicode;
            const auto it = from.find(c);
            out += it == from.end() ? '?' : static_cast<char>(it->second);
        }
    }
    return out;
}

std::string Transcode(const EncodingData& from, std::string_view bytes, const EncodingData& to) {
    if (&from == &to) return std::string(bytes);
    if (from.kind == K::MacJapanese || to.kind != K::SingleByte) return Encode(to, Decode(from, bytes));
    // Into a single-byte encoding from one whose characters never stand for
    // several (the common way, typed text into the system encoding): one
    // pass, without the whole text decoded in between, ASCII taken as it is.
    const bool ascii = from.asciiCompatible && to.asciiCompatible;
    const auto& table = Table(to).fromUnicode;
    std::string out;
    out.reserve(bytes.size());
    for (size_t pos = 0; pos < bytes.size();) {
        if (ascii && static_cast<uint8_t>(bytes[pos]) < 0x80) {
            out += bytes[pos++];
            continue;
        }
        const DecodedChar c = DecodeChar(from, bytes, pos);
        pos += c.length;
        const auto it = table.find(c.unicode);
        out += it == table.end() ? '?' : static_cast<char>(it->second);
    }
    return out;
}

}  // namespace detail

// ---- TextEncoding ----

String TextEncoding::Name() const { return NonNil(d_)->name; }
String TextEncoding::InternetName() const { return NonNil(d_)->internetName; }
int TextEncoding::Base() const { return NonNil(d_)->base; }
int TextEncoding::Variant() const {
    NonNil(d_);
    return 0;
}
int TextEncoding::Format() const { return NonNil(d_)->format; }

String TextEncoding::Chr(int code) const {
    const EncodingData& e = *NonNil(d_);
    std::string bytes;
    if (e.kind == K::UTF8) {
        if (code >= 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF))
            detail::AppendUTF8(bytes, char32_t(code));
    } else if (code >= 0 && code <= 0xFFFF) {
        AppendCode(bytes, uint16_t(code));
        const detail::DecodedChar c = detail::DecodeChar(e, bytes, 0);
        if (c.length != bytes.size() || c.unicode == kReplacement) bytes.clear();
        // Windows leaves five bytes unassigned. Conversion keeps them as C1
        // controls so that no byte is lost, but they are no characters.
        if (&e == &kEncodings[kWindowsLatin1] && c.unicode >= 0x80 && c.unicode <= 0x9F) bytes.clear();
    }
    return String::FromBytes(std::move(bytes), *this);
}

namespace Encodings {
TextEncoding ASCII() { return Handle(kASCII); }
TextEncoding MacRoman() { return Handle(kMacRoman); }
TextEncoding MacJapanese() { return Handle(kMacJapanese); }
TextEncoding MacIcelandic() { return Handle(kMacIcelandic); }
TextEncoding MacGreek() { return Handle(kMacGreek); }
TextEncoding MacCyrillic() { return Handle(kMacCyrillic); }
TextEncoding UTF8() { return Handle(kUTF8); }
TextEncoding WindowsLatin1() { return Handle(kWindowsLatin1); }
TextEncoding ISOLatin1() { return Handle(kISOLatin1); }
TextEncoding ISOLatin9() { return Handle(kISOLatin9); }
}  // namespace Encodings

// The variant is ignored; a format only matters where the base has several
// (Unicode: format 2 is UTF-8).
TextEncoding GetTextEncoding(int base, int /*variant*/, int format) {
    for (const EncodingData& e : kEncodings)
        if (e.base == base && (e.format == 0 || e.format == format)) return TextEncoding(&e);
    return {};
}

TextEncoding GetFontTextEncoding([[maybe_unused]] const String& fontName) {
#ifdef Q_OS_MACOS
    if (fontName.Bytes() == "System") return Encodings::MacRoman();
#endif
    return {};
}

TextEncoding GuessJapaneseEncoding(const String& s) {
    if (s.Encoding() && s.Encoding() != Encodings::MacJapanese()) return {};
    const std::string& b = s.Bytes();
    const bool high = std::any_of(b.begin(), b.end(), [](char c) { return static_cast<uint8_t>(c) >= 0x80; });
    if (!high || detail::AllWellFormed(kEncodings[kUTF8], b) || !detail::AllWellFormed(kEncodings[kMacJapanese], b))
        return {};
    return Encodings::MacJapanese();
}

String TextConverter::convert(const String& s) const {
    const EncodingData& from = detail::Effective(s.Encoding() ? s.Encoding() : source_);
    return String::FromBytes(detail::Transcode(from, s.Bytes(), *NonNil(destination_.Data())), destination_);
}

std::shared_ptr<TextConverter> GetTextConverter(TextEncoding source, TextEncoding destination) {
    if (!source || !destination) return nullptr;
    return std::make_shared<TextConverter>(source, destination);
}

}  // namespace fw
