#include "framework/QtBridge.h"
#include "framework/String.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

using namespace fw;

namespace {

String Roman(const std::string& b) { return String::FromBytes(b, Encodings::MacRoman()); }
String Japanese(const std::string& b) { return String::FromBytes(b, Encodings::MacJapanese()); }
String Raw(const std::string& b) { return String::FromBytes(b, TextEncoding()); }

String Repeat(const String& s, int n) {
    String out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

TEST(String, ChrAndAscRoundTripInMacRoman) {
    for (int n = 0; n <= 255; ++n) {
        const String c = Chr(n);
        ASSERT_EQ(c.Encoding(), Encodings::MacRoman());
        ASSERT_EQ(c.Bytes().size(), 1u);
        ASSERT_EQ(Asc(c), n);
    }
    EXPECT_EQ(Chr(142).ToUTF8(), "é");
    EXPECT_EQ(Chr(0x3042).Bytes(), "あ");
    EXPECT_EQ(Chr(0x3042).Encoding(), Encodings::UTF8());
    EXPECT_EQ(Chr(-1).Bytes(), "");
    EXPECT_EQ(Asc(""), 0);
    EXPECT_EQ(EndOfLine().Bytes(), "\n");
}

TEST(String, EqualityIgnoresCaseAndEncoding) {
    struct Case {
        String a, b;
        bool equal;
    } const cases[] = {
        {"ff", "FF", true}, {"", "", true}, {Roman("\x8E"), "É", true},  // é in MacRoman, É in UTF-8
        {Roman("\xDB"), String::FromBytes("\x80", Encodings::WindowsLatin1()), true},  // €
        {"ÄÖÜ", "äöü", true}, {"ΣΑΣ", "σας", true}, {"\u212A", "k", true},  // Kelvin sign folds to k
        {Japanese("\x82\xA0"), "あ", true}, {Japanese("\x5C"), "\\", false},  // ¥
        {"abc", "abd", false}, {"ab", "abc", false}, {"a\xFF", "a\xFE", false},  // stray bytes are themselves
        {Raw("\x8E"), "é", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.a == c.b, c.equal) << c.a.ToUTF8() << " / " << c.b.ToUTF8();
        EXPECT_EQ(c.b == c.a, c.equal) << c.a.ToUTF8() << " / " << c.b.ToUTF8();
    }
}

TEST(String, InStrIgnoresCase) {
    struct Case {
        int start;
        String s, find;
        int expected;
    } const cases[] = {
        {1, "0123456789ABCDEF", "a", 11}, {1, "abcabc", "BC", 2}, {3, "abcabc", "BC", 5}, {6, "abcabc", "BC", 0},
        {-4, "abcabc", "c", 3}, {1, "abc", "", 1}, {3, "abc", "", 3}, {4, "abc", "", 0}, {1, "", "", 0},
        {1, "abc", "abcd", 0}, {1, "αβγ€x", "Γ€X", 3}, {1, Roman("caf\x8E!"), "É!", 4},
        {1, Japanese("\x83\x41" "A"), "a", 2},  // 0x41 inside ア is no "A"
        {2, Japanese("\x82\xA0\x82\xA0"), "あ", 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InStr(c.start, c.s, c.find), c.expected) << c.s.ToUTF8() << " " << c.find.ToUTF8();
    EXPECT_EQ(InStr("abc", "C"), 3);
}

TEST(String, ReplaceAllIgnoresCase) {
    struct Case {
        String s, find, replacement;
        const char* utf8;
    } const cases[] = {
        {"aXbxc", "x", "-", "a-b-c"}, {"a,b,,c", ",", "", "abc"}, {"aaa", "a", "aa", "aaaaaa"},
        {"abc", "", "x", "abc"}, {"abc", "z", "x", "abc"}, {"Straße", "SS", "x", "Straße"},
        {Roman("\x8E-\x8E"), "-", "€", "é€é"}, {"été", "É", "e", "ete"},
    };
    for (const Case& c : cases) EXPECT_EQ(ReplaceAll(c.s, c.find, c.replacement).ToUTF8(), c.utf8) << c.utf8;
    EXPECT_EQ(ReplaceAll(Roman("\x8E-x"), "X", "y").Encoding(), Encodings::MacRoman());
}

TEST(String, FieldsCountEmptyOnes) {
    struct Case {
        String s, sep;
        std::vector<std::string> fields;
    } const cases[] = {
        {"a,,b", ",", {"a", "", "b"}}, {"a,b,", ",", {"a", "b", ""}}, {",", ",", {"", ""}}, {"", ",", {}},
        {"abc", "", {"abc"}}, {"aXbxc", "x", {"a", "b", "c"}}, {"one--two", "--", {"one", "two"}},
        {"α€β€γ", "€", {"α", "β", "γ"}},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(CountFields(c.s, c.sep), int(c.fields.size())) << c.s.ToUTF8();
        for (size_t i = 0; i < c.fields.size(); ++i) EXPECT_EQ(NthField(c.s, c.sep, int(i) + 1).Bytes(), c.fields[i]);
        EXPECT_EQ(NthField(c.s, c.sep, 0).Bytes(), "");
        EXPECT_EQ(NthField(c.s, c.sep, int(c.fields.size()) + 1).Bytes(), "");
    }
}

TEST(String, FieldCacheFollowsTheSeparator) {
    const String s = "a,b;c,d";
    const String copy = s;
    EXPECT_EQ(CountFields(s, ","), 3);
    EXPECT_EQ(NthField(copy, ";", 2).Bytes(), "c,d");
    EXPECT_EQ(NthField(s, ",", 2).Bytes(), "b;c");
    EXPECT_EQ(NthField(s, String::FromBytes(",", Encodings::MacRoman()), 3).Bytes(), "d");
    String grown = s;
    grown += ",e";
    EXPECT_EQ(CountFields(grown, ","), 4);
    EXPECT_EQ(CountFields(s, ","), 3);
}

TEST(String, ValReadsTheLeadingNumber) {
    struct Case {
        const char* text;
        double value;
    } const cases[] = {
        {"12.5", 12.5},   {"-1", -1},       {"065", 65},          {"6 5", 6},
        {"  \t7x", 7},    {"+3", 3},        {".5", 0.5},          {"-.25e2", -25},
        {"1e3", 1000},    {"1e", 1},        {"1e+", 1},           {"2E-2", 0.02},
        {"1.", 1},        {"&H41", 65},     {"&hff", 255},        {"&HfFz", 255},
        {"&H", 0},        {"&b1000001", 65}, {"&B102", 2},        {"&o17", 15},
        {"&O8", 0},       {"&x1", 0},       {"abc", 0},           {"", 0},
        {"-", 0},         {".", 0},         {"99999999999999999999", 1e20}, {"1e-400", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(Val(c.text), c.value) << c.text;
    EXPECT_EQ(Val("1e400"), HUGE_VAL);
    EXPECT_EQ(Val("-1e400"), -HUGE_VAL);
}

TEST(String, StrAndHex) {
    struct Case {
        String got;
        const char* expected;
    } const cases[] = {
        {Str(0), "0"}, {Str(-17), "-17"}, {Str(int64_t(1) << 40), "1099511627776"}, {Str(65.0), "65"},
        {Str(-1.0), "-1"}, {Str(-0.0), "0"}, {Str(12.5), "12.5"}, {Str(1.0 / 3), "0.3333333"},
        {Str(-2.0 / 3), "-0.6666667"}, {Str(123456789.5), "1.234568e+08"},
        {Str(999999999999999.0), "999999999999999"}, {Str(1e20), "1.000000e+20"}, {Str(1.5e-7), "1.500000e-07"},
        {Hex(0), "0"}, {Hex(255), "FF"}, {Hex(0xABCDEF), "ABCDEF"}, {Hex(-1), "FFFFFFFF"}, {Hex(-256), "FFFFFF00"},
        {Hex(INT64_C(0x123456789A)), "123456789A"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got.Bytes(), c.expected);
}

TEST(String, FormatPatterns) {
    struct Case {
        double value;
        const char* pattern;
        const char* expected;
    } const cases[] = {
        {118.5, "#", "119"},        {118.4, "#", "118"},         {-2.5, "#", "-3"},
        {0, "#", ""},               {0.4, "#", ""},              {-0.4, "#", ""},
        {0, "0", "0"},              {7, "000", "007"},           {1234567, "#", "1234567"},
        {1234567, "#,###", "1,234,567"}, {123, "#,##0", "123"},  {0.5, "0.0", "0.5"},
        {1234.5, "#,##0.00", "1,234.50"}, {12.5, "#.##", "12.5"}, {12, "#.##", "12."},
        {0.25, "#.##", ".25"},      {2.675, "0.0", "2.7"},       {99.5, "0", "100"},
        {42, "#%", "42%"},          {3, "Item #", "Item 3"},     {5, "none", "none"},
        {1e20, "#", "100000000000000000000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Format(c.value, c.pattern).Bytes(), c.expected) << c.value << " " << c.pattern;
}

// Where the value scaled by its decimals is too big for a double to count
// exactly, or overflows, the digits are still the value's ("i.nf" before).
TEST(String, FormatManyDigitsAndNonFiniteValues) {
    const std::string zeros320(320, '0');
    struct Case {
        double value;
        std::string pattern, expected;
    } const cases[] = {
        {1.5, "0." + zeros320, "1.5" + zeros320.substr(1)},
        {123.456, "0.000000000000000000000000", "123.456000000000003069544618"},
        {std::ldexp(1.0, -31), "0." + std::string(30, '0'), "0.000000000465661287307739257813"},  // a tie: away from zero
        {-0.99999999999999989, "0." + std::string(15, '0'), "-1.000000000000000"},
        {1e22, "#,##0.0", "10,000,000,000,000,000,000,000.0"}, {HUGE_VAL, "#", "inf"},
        {-HUGE_VAL, "0.00 km", "-inf km"}, {std::nan(""), "0.0", "nan"},
    };
    for (const Case& c : cases) EXPECT_EQ(Format(c.value, c.pattern).Bytes(), c.expected) << c.pattern;
    const std::string huge = Format(1e308, "0.00").Bytes();
    EXPECT_EQ(huge.size(), 312u);
    EXPECT_EQ(huge.substr(0, 18), "100000000000000001");
    EXPECT_EQ(huge.substr(309), ".00");
}

TEST(String, TrimAndSlices) {
    struct Case {
        String got;
        const char* expected;
    } const cases[] = {
        {Trim(" \t\r\n\v\fa b \r"), "a b"}, {LTrim("  a "), "a "}, {RTrim("  a \n"), "  a"}, {Trim(" \t "), ""},
        {Left("abc", 2), "ab"}, {Left("abc", 5), "abc"}, {Left("abc", 0), ""}, {Right("abc", 2), "bc"},
        {Right("abc", 9), "abc"}, {Right("abc", -1), ""}, {Mid("abcdef", 3), "cdef"}, {Mid("abcdef", 2, 3), "bcd"},
        {Mid("abcdef", 0, 2), "ab"}, {Mid("abcdef", 5, 99), "ef"}, {Mid("abcdef", 7, 1), ""},
        {Mid("abcdef", 2, 0), ""}, {Mid("abcdef", 2, INT_MAX), "bcdef"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got.Bytes(), c.expected);
    EXPECT_EQ(Mid(Roman("\x8E\x8F"), 2, 1).Encoding(), Encodings::MacRoman());
}

// Counts and positions at the ends of the int range are clamped before any
// arithmetic (UBSan reported Right("", INT_MIN)); short and long multi-byte
// strings take the scan and the index paths.
TEST(String, ExtremeCountsAndPositions) {
    const String texts[] = {"", "abc", "aé€", Repeat("é€", 20), Roman("\x8E\x8F")};
    for (const String& s : texts) {
        SCOPED_TRACE(s.ToUTF8());
        const int len = Len(s);
        for (const int n : {INT_MIN, INT_MIN + 1, -1, 0}) {
            EXPECT_EQ(Left(s, n).Bytes(), "");
            EXPECT_EQ(Right(s, n).Bytes(), "");
            EXPECT_EQ(Right(s, n).Encoding(), s.Encoding());
            EXPECT_EQ(Mid(s, 1, n).Bytes(), "");
            EXPECT_EQ(Mid(s, INT_MAX, n).Bytes(), "");
            EXPECT_EQ(s.Substring(n, n).Bytes(), "");
            EXPECT_EQ(NthField(s, ",", n).Bytes(), "");
            EXPECT_EQ(s.CodeAt(n), 0);
        }
        for (const int n : {INT_MAX - 1, INT_MAX}) {
            EXPECT_EQ(Left(s, n).Bytes(), s.Bytes());
            EXPECT_EQ(Right(s, n).Bytes(), s.Bytes());
            EXPECT_EQ(Mid(s, n).Bytes(), "");
            EXPECT_EQ(Mid(s, n, n).Bytes(), "");
            EXPECT_EQ(Mid(s, INT_MIN, n).Bytes(), s.Bytes());
            EXPECT_EQ(Mid(s, 2, n).Bytes(), Mid(s, 2).Bytes());
            EXPECT_EQ(s.Substring(INT_MIN, n).Bytes(), s.Bytes());
            EXPECT_EQ(NthField(s, ",", n).Bytes(), "");
            EXPECT_EQ(s.CodeAt(n), 0);
            EXPECT_EQ(InStr(n, s, ""), 0);
            EXPECT_EQ(InStr(n, s, "a"), 0);
        }
        EXPECT_EQ(Mid(s, INT_MIN).Bytes(), s.Bytes());
        EXPECT_EQ(Right(s, len).Bytes(), s.Bytes());
        EXPECT_EQ(InStr(INT_MIN, s, ""), len ? 1 : 0);
        EXPECT_EQ(InStr(INT_MIN, s, "a"), InStr(s, "a"));
    }
    EXPECT_EQ(Chr(INT_MIN).Bytes(), "");
    EXPECT_EQ(Chr(INT_MAX).Bytes(), "");
    EXPECT_EQ(Encodings::MacJapanese().Chr(INT_MIN).Bytes(), "");
    EXPECT_EQ(Encodings::UTF8().Chr(INT_MAX).Bytes(), "");
    EXPECT_EQ(Str(INT_MIN).Bytes(), "-2147483648");
    EXPECT_EQ(Val(Str(INT_MIN)), INT_MIN);
    EXPECT_EQ(Hex(INT_MIN).Bytes(), "80000000");
    EXPECT_EQ(Hex(INT64_MIN).Bytes(), "8000000000000000");
}

// The MacJapanese characters that stand for several Unicode characters (such as
// 0xFF, "…" with a variant mark), each in the middle of some text.
TEST(String, CharactersOfSeveralCodePointsMatchTheirConversion) {
    const TextEncoding japanese = Encodings::MacJapanese(), utf8 = Encodings::UTF8();
    int found = 0;
    for (int code = 0; code <= 0xFCFC; ++code) {
        const String ch = japanese.Chr(code);
        const String unicode = ConvertEncoding(ch, utf8);
        if (ch.IsEmpty() || Len(unicode) < 2) continue;
        ++found;
        SCOPED_TRACE(code);
        const String text = Japanese("a") + ch + Japanese("\x82\xA0");  // stays MacJapanese
        const String textUnicode = ConvertEncoding(text, utf8);
        ASSERT_EQ(text.Encoding(), japanese);
        EXPECT_TRUE(ch == unicode);
        EXPECT_TRUE(unicode == ch);
        EXPECT_TRUE(text == textUnicode);
        EXPECT_TRUE(ConvertEncoding(textUnicode, japanese) == textUnicode);
        EXPECT_EQ(InStr(text, unicode), 2);
        EXPECT_EQ(InStr(textUnicode, ch), 2);
        EXPECT_EQ(InStr(3, textUnicode + textUnicode, ch), Len(textUnicode) + 2);
        EXPECT_EQ(ReplaceAll(text, unicode, "-").ToUTF8(), "a-あ");
        EXPECT_EQ(ReplaceAll(textUnicode, ch, "-").ToUTF8(), "a-あ");
        EXPECT_EQ(CountFields(textUnicode, ch), 2);
        EXPECT_EQ(NthField(text, unicode, 2).ToUTF8(), "あ");
        // Only part of the character is no match for it, nor it for its part.
        const String first = Left(unicode, 1);
        EXPECT_FALSE(ch == first);
        EXPECT_FALSE(first == ch);
        EXPECT_EQ(InStr(ch, first), 0);
        EXPECT_EQ(ReplaceAll(text, first, "-").Bytes(), text.Bytes());
        EXPECT_EQ(InStr(first, ch), 0);
    }
    EXPECT_EQ(found, 56);
    // Longer runs too: the UTF-8 conversion of every such character in a row.
    String all = String::FromBytes({}, japanese);
    for (int code = 0; code <= 0xFCFC; ++code)
        if (const String ch = japanese.Chr(code); !ch.IsEmpty() && Len(ConvertEncoding(ch, utf8)) > 1) all += ch;
    ASSERT_EQ(all.Encoding(), japanese);
    EXPECT_TRUE(all == ConvertEncoding(all, utf8));
    EXPECT_EQ(InStr(ConvertEncoding(all, utf8), Mid(all, 30, 10)), Len(ConvertEncoding(Left(all, 29), utf8)) + 1);
}

// Short and long strings take different paths (scan versus shared index).
TEST(String, MultiByteCharactersCountAsOne) {
    for (const int copies : {1, 40}) {
        const String utf8 = Repeat("aé€😀\xFF", copies);  // 1, 2, 3, 4 bytes, and a stray byte
        const String sjis = Repeat(Japanese("\x82\xA0" "A\xB1\x88\x9F\x5C"), copies);
        ASSERT_EQ(Len(utf8), 5 * copies);
        ASSERT_EQ(Len(sjis), 5 * copies);
        for (int k = 0; k < copies; ++k) {
            const int i = 5 * k;
            EXPECT_EQ(Mid(utf8, i + 2, 1).Bytes(), "é");
            EXPECT_EQ(Mid(utf8, i + 3, 2).Bytes(), "€😀");
            EXPECT_EQ(Asc(Mid(utf8, i + 4, 1)), 0x1F600);
            EXPECT_EQ(utf8.CodeAt(i + 3), 0x20AC);
            EXPECT_EQ(utf8.CodeAt(i + 5), 0xFF);
            EXPECT_EQ(Mid(sjis, i + 1, 1).ToUTF8(), "あ");
            EXPECT_EQ(sjis.CodeAt(i + 1), 0x82A0);
            EXPECT_EQ(sjis.CodeAt(i + 2), 'A');
            EXPECT_EQ(sjis.CodeAt(i + 3), 0xB1);
            EXPECT_EQ(Asc(Mid(sjis, i + 4, 1)), 0x889F);
            EXPECT_EQ(Mid(sjis, i + 5, 1).ToUTF8(), "¥");
        }
        EXPECT_EQ(Right(utf8, 2).Bytes(), "😀\xFF");
        EXPECT_EQ(utf8.CodeAt(5 * copies + 1), 0);
        EXPECT_EQ(utf8.CodeAt(0), 0);
    }
    // Appending drops the shared index; a copy keeps its own.
    String s = Repeat("é", 50);
    const String copy = s;
    ASSERT_EQ(Len(s), 50);
    s += "€";
    EXPECT_EQ(Len(s), 51);
    EXPECT_EQ(Mid(s, 51, 1).Bytes(), "€");
    EXPECT_EQ(Len(copy), 50);
    EXPECT_EQ(Mid(copy, 50, 5).Bytes(), "é");
}

TEST(String, ConcatenationKeepsOrWidensTheEncoding) {
    const TextEncoding roman = Encodings::MacRoman(), utf8 = Encodings::UTF8();
    struct Case {
        String a, b;
        TextEncoding encoding;
        const char* text;
    } const cases[] = {
        {Roman("\x8E"), Roman("\x8F"), roman, "éè"}, {Roman("\x8E"), "abc", roman, "éabc"},
        {"abc", Roman("\x8E"), roman, "abcé"}, {Roman("\x8E"), "€", utf8, "é€"}, {"€", Roman("\x8E"), utf8, "€é"},
        {Raw("\x8E"), "ü", utf8, "éü"}, {Raw("ab"), "c", TextEncoding(), "abc"}, {"", Roman("\x8E"), roman, "é"},
        {Roman("\x8E"), String::FromBytes("", Encodings::ASCII()), roman, "é"},
        {Japanese("\x5C"), "a", utf8, "¥a"},  // MacJapanese is no ASCII superset
        {"a", Japanese("\x82\xA0"), utf8, "aあ"},
        {String::FromBytes("\xE9", Encodings::ISOLatin1()), Roman("\x8E"), utf8, "éé"},
    };
    for (const Case& c : cases) {
        const String sum = c.a + c.b;
        EXPECT_EQ(sum.Encoding(), c.encoding) << c.text;
        EXPECT_EQ(sum.ToUTF8(), c.text);
    }
}

TEST(String, DefineAndConvertEncoding) {
    const String e = Roman("\x8E");
    EXPECT_EQ(DefineEncoding(e, Encodings::WindowsLatin1()).ToUTF8(), "Ž");
    EXPECT_EQ(ConvertEncoding(e, Encodings::ISOLatin1()).Bytes(), "\xE9");
    EXPECT_EQ(ConvertEncoding(e, Encodings::UTF8()).Bytes(), "é");
    EXPECT_EQ(ConvertEncoding("日本", Encodings::MacRoman()).Bytes(), "??");
    EXPECT_EQ(ConvertEncoding(Raw("\x8E"), Encodings::UTF8()).Bytes(), "é");
}

TEST(QtBridge, LineBreaksBetweenProgramAndControls) {
    EXPECT_EQ(ToDisplayText("a\r\nb\rc\nd"), QString("a\nb\nc\nd"));
    const String back = FromDisplayText(QString::fromUtf8("a\r\nb\nc\u2029d\u2028e\r\rf"));
    EXPECT_EQ(back.Bytes(), "a\rb\rc\rd\re\r\rf");
    EXPECT_EQ(back.Encoding(), Encodings::UTF8());
    EXPECT_EQ(ToQString(Roman("\x8E\r")), QString::fromUtf8("é\r"));
    EXPECT_EQ(ToQString(Raw("\xDB")), QString::fromUtf8("€"));
    EXPECT_EQ(FromQString(QString::fromUtf8("日本")).Bytes(), "日本");
}

}  // namespace
