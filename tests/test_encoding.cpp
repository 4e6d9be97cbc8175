#include "framework/String.h"
#include "framework/TextEncoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace fw;

namespace {

String Bytes(const std::string& b, TextEncoding enc) { return String::FromBytes(b, enc); }

struct VendorCase {
    TextEncoding (*encoding)();
    int code;          // byte, or MacJapanese lead * 256 + trail
    const char* utf8;  // the vendor's character(s)
};

// Values from the vendors' mapping tables (Apple, Microsoft, ISO).
const VendorCase kVendor[] = {
    {Encodings::MacRoman, 0x41, "A"},          {Encodings::MacRoman, 0x7F, "\x7F"},
    {Encodings::MacRoman, 0x80, "Ä"},          {Encodings::MacRoman, 0x8E, "é"},
    {Encodings::MacRoman, 0xA5, "•"},          {Encodings::MacRoman, 0xBD, "Ω"},  // U+03A9, not the ohm sign
    {Encodings::MacRoman, 0xC6, "∆"},          {Encodings::MacRoman, 0xCA, "\u00A0"},
    {Encodings::MacRoman, 0xDA, "⁄"},          {Encodings::MacRoman, 0xDB, "€"},
    {Encodings::MacRoman, 0xF0, "\uF8FF"},     {Encodings::MacRoman, 0xFF, "ˇ"},
    {Encodings::MacIcelandic, 0x80, "Ä"},      {Encodings::MacIcelandic, 0xA0, "Ý"},
    {Encodings::MacIcelandic, 0xA5, "•"},      {Encodings::MacIcelandic, 0xDB, "€"},
    {Encodings::MacIcelandic, 0xDC, "Ð"},      {Encodings::MacIcelandic, 0xDD, "ð"},
    {Encodings::MacIcelandic, 0xDE, "Þ"},      {Encodings::MacIcelandic, 0xDF, "þ"},
    {Encodings::MacIcelandic, 0xE0, "ý"},      {Encodings::MacIcelandic, 0x7F, "\x7F"},
    {Encodings::MacGreek, 0x81, "¹"},          {Encodings::MacGreek, 0x9C, "€"},
    {Encodings::MacGreek, 0xA1, "Γ"},          {Encodings::MacGreek, 0xA2, "Δ"},
    {Encodings::MacGreek, 0xAA, "Σ"},          {Encodings::MacGreek, 0xE1, "α"},
    {Encodings::MacGreek, 0xF0, "π"},          {Encodings::MacGreek, 0xF7, "ς"},
    {Encodings::MacGreek, 0xFF, "\u00AD"},     {Encodings::MacCyrillic, 0x80, "А"},
    {Encodings::MacCyrillic, 0x9F, "Я"},       {Encodings::MacCyrillic, 0xA2, "Ґ"},
    {Encodings::MacCyrillic, 0xB6, "ґ"},       {Encodings::MacCyrillic, 0xDC, "№"},
    {Encodings::MacCyrillic, 0xDF, "я"},       {Encodings::MacCyrillic, 0xE0, "а"},
    {Encodings::MacCyrillic, 0xFE, "ю"},       {Encodings::MacCyrillic, 0xFF, "€"},
    {Encodings::WindowsLatin1, 0x80, "€"},     {Encodings::WindowsLatin1, 0x8A, "Š"},
    {Encodings::WindowsLatin1, 0x93, "“"},     {Encodings::WindowsLatin1, 0x9F, "Ÿ"},
    {Encodings::WindowsLatin1, 0xE9, "é"},     {Encodings::ISOLatin1, 0x80, "\u0080"},
    {Encodings::ISOLatin1, 0xA4, "¤"},         {Encodings::ISOLatin1, 0xE9, "é"},
    {Encodings::ISOLatin9, 0xA4, "€"},         {Encodings::ISOLatin9, 0xA6, "Š"},
    {Encodings::ISOLatin9, 0xBC, "Œ"},         {Encodings::ISOLatin9, 0xBE, "Ÿ"},
    {Encodings::ISOLatin9, 0xE9, "é"},         {Encodings::ASCII, 0x41, "A"},
    {Encodings::ASCII, 0x7F, "\x7F"},          {Encodings::UTF8, 0xE9, "é"},
    {Encodings::UTF8, 0x1F600, "😀"},          {Encodings::MacJapanese, 0x41, "A"},
    {Encodings::MacJapanese, 0x5C, "¥"},       {Encodings::MacJapanese, 0x7F, "\x7F"},
    {Encodings::MacJapanese, 0x80, "\\"},      {Encodings::MacJapanese, 0xA0, "\u00A0"},
    {Encodings::MacJapanese, 0xA1, "｡"},       {Encodings::MacJapanese, 0xDF, "ﾟ"},
    {Encodings::MacJapanese, 0xFD, "©"},       {Encodings::MacJapanese, 0xFE, "™"},
    {Encodings::MacJapanese, 0xFF, "…\uF87F"}, {Encodings::MacJapanese, 0x8140, "\u3000"},
    {Encodings::MacJapanese, 0x815F, "＼"},    {Encodings::MacJapanese, 0x8160, "〜"},
    {Encodings::MacJapanese, 0x8163, "…"},     {Encodings::MacJapanese, 0x82A0, "あ"},
    {Encodings::MacJapanese, 0x8540, "①"},     {Encodings::MacJapanese, 0x8591, "\uF860" "0."},
    {Encodings::MacJapanese, 0x889F, "亜"},    {Encodings::MacJapanese, 0xEB41, "、\uF87E"},
};

TEST(TextEncoding, VendorMappingsBothWays) {
    for (const VendorCase& c : kVendor) {
        const TextEncoding enc = c.encoding();
        SCOPED_TRACE(enc.Name().ToUTF8() + " " + std::to_string(c.code));
        const String ch = enc.Chr(c.code);
        EXPECT_EQ(ch.Encoding(), enc);
        EXPECT_EQ(Len(ch), 1);
        EXPECT_EQ(Asc(ch), c.code);
        EXPECT_EQ(ch.ToUTF8(), c.utf8);
        EXPECT_EQ(ConvertEncoding(String(c.utf8), enc).Bytes(), ch.Bytes());
    }
}

TEST(TextEncoding, NoCharacterGivesEmptyOrReplacement) {
    EXPECT_EQ(Encodings::ASCII().Chr(0xE9).Bytes(), "");
    EXPECT_EQ(Bytes("a\xE9", Encodings::ASCII()).ToUTF8(), "a\uFFFD");
    EXPECT_EQ(Encodings::UTF8().Chr(0xD800).Bytes(), "");
    EXPECT_EQ(Encodings::UTF8().Chr(0x110000).Bytes(), "");
    EXPECT_EQ(Encodings::MacRoman().Chr(256).Bytes(), "");
    EXPECT_EQ(Encodings::MacJapanese().Chr(0x82).Bytes(), "");    // a lead byte alone
    EXPECT_EQ(Encodings::MacJapanese().Chr(0x8240).Bytes(), "");  // no character there
    EXPECT_EQ(Bytes("\x82", Encodings::MacJapanese()).ToUTF8(), "\uFFFD");
}

// Apple's MacIcelandic is MacRoman with six Icelandic letters in place.
TEST(TextEncoding, MacIcelandicDiffersFromMacRomanInSixPlaces) {
    std::vector<int> differ;
    for (int b = 0; b < 256; ++b)
        if (Encodings::MacIcelandic().Chr(b).ToUTF8() != Encodings::MacRoman().Chr(b).ToUTF8()) differ.push_back(b);
    EXPECT_EQ(differ, (std::vector<int>{0xA0, 0xDC, 0xDD, 0xDE, 0xDF, 0xE0}));
}

TEST(TextEncoding, EveryCharacterRoundTrips) {
    const TextEncoding all[] = {Encodings::ASCII(),        Encodings::MacRoman(),   Encodings::MacJapanese(),
                                Encodings::MacIcelandic(), Encodings::MacGreek(),   Encodings::MacCyrillic(),
                                Encodings::WindowsLatin1(), Encodings::ISOLatin1(), Encodings::ISOLatin9()};
    for (const TextEncoding enc : all) {
        int characters = 0;
        for (int code = 0; code <= 0xFCFC; ++code) {
            const String ch = enc.Chr(code);
            if (ch.IsEmpty()) continue;
            ++characters;
            ASSERT_EQ(ConvertEncoding(ConvertEncoding(ch, Encodings::UTF8()), enc).Bytes(), ch.Bytes())
                << enc.Name().ToUTF8() << " " << code;
        }
        // Windows Latin 1 leaves 0x81, 0x8D, 0x8F, 0x90 and 0x9D unassigned.
        const int expected = enc == Encodings::ASCII()           ? 128
                             : enc == Encodings::MacJapanese()   ? 7388
                             : enc == Encodings::WindowsLatin1() ? 251
                                                                 : 256;
        EXPECT_EQ(characters, expected) << enc.Name().ToUTF8();
    }
}

// An encoding is found again from its triple; unknown triples give Nil.
TEST(TextEncoding, FoundAgainFromItsTriple) {
    for (TextEncoding (*get)() : {Encodings::ASCII, Encodings::MacRoman, Encodings::MacJapanese, Encodings::MacIcelandic,
                                  Encodings::MacGreek, Encodings::MacCyrillic, Encodings::UTF8, Encodings::WindowsLatin1,
                                  Encodings::ISOLatin1, Encodings::ISOLatin9}) {
        const TextEncoding enc = get();
        EXPECT_EQ(GetTextEncoding(enc.Base(), enc.Variant(), enc.Format()), enc) << enc.Name().ToUTF8();
    }
    EXPECT_EQ(GetTextEncoding(0, 0, 0), Encodings::MacRoman());
    EXPECT_TRUE(GetTextEncoding(0x100, 0, 0).IsNil());  // UTF-16
    EXPECT_TRUE(GetTextEncoding(0x7FFF).IsNil());
    EXPECT_TRUE(TextEncoding().IsNil());
}

TEST(TextEncoding, ConversionMarksUnmappableCharacters) {
    struct Case {
        const char* utf8;
        TextEncoding (*to)();
        std::string bytes;
    } const cases[] = {
        {"Ä☃€", Encodings::MacRoman, "\x80?\xDB"},
        {"€✓", Encodings::ISOLatin1, "??"},
        {"é€", Encodings::ASCII, "??"},
        {"aあ☃", Encodings::MacJapanese, "a\x82\xA0?"},
        {"\\¥", Encodings::MacJapanese, "\x80\x5C"},
        {"……\uF87F", Encodings::MacJapanese, "\x81\x63\xFF"},  // a sequence beats its first character
        {"Ωж", Encodings::MacCyrillic, "?\xE6"},
    };
    for (const Case& c : cases) EXPECT_EQ(ConvertEncoding(String(c.utf8), c.to()).Bytes(), c.bytes) << c.utf8;
}

TEST(TextEncoding, ConverterReadsUntaggedTextAsItsSource) {
    const auto conv = GetTextConverter(Encodings::WindowsLatin1(), Encodings::UTF8());
    ASSERT_TRUE(conv);
    EXPECT_EQ(conv->convert(Bytes("\x80", TextEncoding())).Bytes(), "€");
    EXPECT_EQ(conv->convert(Bytes("\x80", Encodings::MacRoman())).Bytes(), "Ä");
    EXPECT_EQ(conv->convert(Bytes("\x80", TextEncoding())).Encoding(), Encodings::UTF8());
    EXPECT_EQ(GetTextConverter(TextEncoding(), Encodings::UTF8()), nullptr);
    EXPECT_EQ(GetTextConverter(Encodings::UTF8(), TextEncoding()), nullptr);
}

TEST(TextEncoding, GuessesJapaneseOnlyInUntaggedShiftJIS) {
    struct Case {
        std::string bytes;
        TextEncoding tag;
        bool japanese;
    } const cases[] = {
        {"\x82\xA0\x82\xA2 abc", TextEncoding(), true},
        {"\xB1\xB2", TextEncoding(), true},  // half-width katakana
        {"\x82\xA0", Encodings::MacJapanese(), true},
        {"\x82\xA0", Encodings::MacRoman(), false},
        {"abc", TextEncoding(), false},
        {"\xE3\x81\x82", TextEncoding(), false},  // UTF-8
        {"\x82", TextEncoding(), false},          // lead byte without trail
        {"\x82\x20", TextEncoding(), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GuessJapaneseEncoding(Bytes(c.bytes, c.tag)),
                  c.japanese ? Encodings::MacJapanese() : TextEncoding()) << c.bytes;
}

}  // namespace
