#include "framework/String.h"
#include "framework/TextEncoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace fw;

namespace {

String Bytes(const std::string& b, TextEncoding enc) { return String::FromBytes(b, enc); }

// Values from the vendors' mapping tables (Apple, Microsoft, ISO): code (byte,
// or MacJapanese lead * 256 + trail) and the vendor's character(s).
const std::pair<TextEncoding (*)(), std::vector<std::pair<int, const char*>>> kVendor[] = {
    {Encodings::MacRoman,
     {{0x80, "Ä"}, {0x8E, "é"}, {0xA5, "•"}, {0xBD, "Ω"} /* U+03A9, not the ohm sign */, {0xC6, "∆"},
      {0xCA, "\u00A0"}, {0xDA, "⁄"}, {0xDB, "€"}, {0xF0, "\uF8FF"}, {0xFF, "ˇ"}}},
    {Encodings::MacIcelandic, {{0xA0, "Ý"}, {0xDC, "Ð"}}},
    {Encodings::MacGreek,
     {{0x81, "¹"}, {0x9C, "€"}, {0xA1, "Γ"}, {0xAA, "Σ"}, {0xE1, "α"}, {0xF0, "π"}, {0xF7, "ς"}, {0xFF, "\u00AD"}}},
    {Encodings::MacCyrillic,
     {{0x80, "А"}, {0x9F, "Я"}, {0xA2, "Ґ"}, {0xB6, "ґ"}, {0xDC, "№"}, {0xFE, "ю"}, {0xFF, "€"}}},
    {Encodings::WindowsLatin1, {{0x80, "€"}, {0x8A, "Š"}, {0x93, "“"}, {0x9F, "Ÿ"}}},
    {Encodings::ISOLatin1, {{0x80, "\u0080"}, {0xA4, "¤"}, {0xE9, "é"}}},
    {Encodings::ISOLatin9, {{0xA4, "€"}, {0xA6, "Š"}, {0xBC, "Œ"}, {0xBE, "Ÿ"}}},
    {Encodings::ASCII, {{0x41, "A"}, {0x7F, "\x7F"}}},
    {Encodings::UTF8, {{0xE9, "é"}, {0x1F600, "😀"}}},
    {Encodings::MacJapanese,
     {{0x5C, "¥"}, {0x7F, "\x7F"}, {0x80, "\\"}, {0xA0, "\u00A0"}, {0xA1, "｡"}, {0xDF, "ﾟ"}, {0xFD, "©"},
      {0xFE, "™"}, {0xFF, "…\uF87F"}, {0x8140, "\u3000"}, {0x815F, "＼"}, {0x8160, "〜"}, {0x8163, "…"},
      {0x82A0, "あ"}, {0x8540, "①"}, {0x8591, "\uF860" "0."}, {0x889F, "亜"}, {0xEB41, "、\uF87E"}}},
};

TEST(TextEncoding, VendorMappingsBothWays) {
    for (const auto& [encoding, chars] : kVendor) {
        const TextEncoding enc = encoding();
        for (const auto& [code, utf8] : chars) {
            SCOPED_TRACE(enc.Name().ToUTF8() + " " + std::to_string(code));
            const String ch = enc.Chr(code);
            EXPECT_EQ(ch.Encoding(), enc);
            EXPECT_EQ(Len(ch), 1);
            EXPECT_EQ(Asc(ch), code);
            EXPECT_EQ(ch.ToUTF8(), utf8);
            EXPECT_EQ(ConvertEncoding(String(utf8), enc).Bytes(), ch.Bytes());
        }
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
