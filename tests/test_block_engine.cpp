// The block conversion and its wrapping, without a window: the edge cases of
// each input form and of the wrapping (the window's tests show the plain
// examples), a plain transcription of the rules run against the fast engine
// over many random blocks, and the code lists read back as input of their
// own form.

#include "BlockRules.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace fw;
using BlockEngine::convert;
using BlockEngine::rewrap;

namespace {

constexpr const char* kDecMsg =
    "Input block of ASCII codes must contain integers (max 3 digits) separated by single spaces only.";
constexpr const char* kHexMsg = "Input block of hex codes can only contain valid hex numbers! (0 thru F).";
constexpr const char* kBinMsg = "Input block of binary codes can only contain zeros and ones (0 and 1).";

String MacRoman(const std::string& bytes) { return String::FromBytes(bytes, Encodings::MacRoman()); }

struct Shown {
    std::string a, b, c;
    bool operator==(const Shown&) const = default;
};
void PrintTo(const Shown& s, std::ostream* os) { *os << "{\"" << s.a << "\", \"" << s.b << "\", \"" << s.c << "\"}"; }

// The three areas as UTF-8; the text area's bytes as they stand when it is
// MacRoman, so control codes compare as bytes.
Shown Convert(const std::string& block, int form, bool html = false) {
    const auto out = convert(MacRoman(block), form, html);
    if (!out) return {"<none>", "", ""};
    auto text = [](const String& s) { return s.Encoding() == Encodings::MacRoman() ? s.Bytes() : s.ToUTF8(); };
    return {text(out->area[0]), text(out->area[1]), text(out->area[2])};
}

std::string Repeat(const std::string& piece, int times, const std::string& sep = " ") {
    std::string s;
    for (int i = 0; i < times; ++i) s += (i ? sep : "") + piece;
    return s;
}

// ---- A plain transcription of the rules, character by character ----

// The groups of the code's last two hexadecimal digits, and a blank.
String RefBinary(int c) {
    String r;
    for (int bit = 7; bit >= 0; --bit) r += String((c >> bit) & 1 ? "1" : "0") + (bit == 4 ? " " : "");
    return r + " ";
}

String RefHex(int c) { return Len(Hex(c)) < 2 ? "0" + Hex(c) : Hex(c); }

bool RefInvalid(const String& s, const std::string& digits) {
    for (int i = 1; i <= Len(s); ++i)
        if (Asc(Mid(s, i, 1)) > 127 || digits.find(char(Asc(Mid(s, i, 1)))) == std::string::npos) return true;
    return false;
}

std::optional<BlockEngine::Outputs> RefConvert(const String& block, int form, bool html) {
    if (form < 0 || form > 3) return std::nullopt;
    String dec, hex, bin, text;
    auto decPiece = [&](int c) { dec += html ? "&#" + Str(c) + ";" : Str(c) + " "; };
    auto hexPiece = [&](int c) { hex += html ? "%" + RefHex(c) : RefHex(c) + " "; };
    BlockEngine::Outputs out;
    auto invalid = [&](const char* message) {
        out.invalid = true;
        for (String& a : out.area) a = message;
        return out;
    };
    if (form == 0) {
        for (int i = 1; i <= Len(block); ++i) {
            const int c = Asc(Mid(block, i, 1));
            decPiece(c);
            hexPiece(c);
            bin += RefBinary(c);
        }
    } else if (form == 1) {
        const String b = ReplaceAll(block, Chr(13), "");
        for (int i = 1; i <= CountFields(b, " "); ++i) {
            const String f = NthField(b, " ", i);
            if (Len(f) > 3 || RefInvalid(f, "0123456789")) return invalid(kDecMsg);
            text += Chr(int(Val(f)));
            hexPiece(int(Val(f)));
            bin += RefBinary(int(Val(f)));
        }
    } else {
        const int w = form == 2 ? 2 : 8;
        const String b = ReplaceAll(Trim(ReplaceAll(block, Chr(13), "")), " ", "");
        for (int i = 1; i <= Len(b); i += w) {
            const String p = Mid(b, i, w);
            if (RefInvalid(p, form == 2 ? "0123456789ABCDEFabcdef" : "01")) return invalid(form == 2 ? kHexMsg : kBinMsg);
            const int v = int(Val((form == 2 ? "&H" : "&b") + p));
            decPiece(v);
            text += Chr(v);
            if (form == 2) bin += RefBinary(v);
            else hexPiece(v);
        }
    }
    // The input's own form is replaced by the text, which is not trimmed.
    // The code lists are ASCII; taken as MacRoman their characters are their
    // bytes, so long ones wrap without a table of character offsets.
    auto list = [](const String& s) { return DefineEncoding(RTrim(s), Encodings::MacRoman()); };
    const String areas[4][3] = {{list(dec), list(hex), list(bin)},
                                {text, list(hex), list(bin)},
                                {list(dec), text, list(bin)},
                                {list(dec), list(hex), text}};
    const char* kinds[3] = {"D", "H", "B"};
    for (int k = 0; k < 3; ++k)
        out.area[k] = blockrules::PlainWrap(areas[form][k], form == k + 1 ? "T" : kinds[k], html);
    return out;
}

}  // namespace

// ---- Pieces of each form ----

struct FormCase {
    const char* name;
    std::string block;
    int form;
    bool html;
    Shown expected;
};

class FormCases : public ::testing::TestWithParam<FormCase> {};

TEST_P(FormCases, GiveTheirOutputs) {
    const FormCase& c = GetParam();
    EXPECT_EQ(Convert(c.block, c.form, c.html), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Engine, FormCases,
    ::testing::Values(
        FormCase{"TextHTML", "Hi", 0, true, {"&#72;&#105;", "%48%69", "0100 1000 0110 1001"}},
        FormCase{"TextCountsBlanksAndReturns", " \r", 0, false, {"32 13", "20 0D", "0010 0000 0000 1101"}},
        FormCase{"TextHighAndNul", std::string("\x8E\0\xFF", 3), 0, false,
                 {"142 0 255", "8E 00 FF", "1000 1110 0000 0000 1111 1111"}},
        FormCase{"DecimalTwoBlanksGiveNul", "72  105", 1, false,
                 {std::string("H\0i", 3), "48 00 69", "0100 1000 0000 0000 0110 1001"}},
        FormCase{"DecimalFourDigits", "72 1050", 1, false, {kDecMsg, kDecMsg, kDecMsg}},
        FormCase{"DecimalLetter", "7A", 1, false, {kDecMsg, kDecMsg, kDecMsg}},
        FormCase{"DecimalAboveAndBelow255", "142 300", 1, false, {"\u00E9\u012C", "8E 12C", "1000 1110 0010 1100"}},
        FormCase{"DecimalSplitByLineBreak", "72\r105", 1, false, {kDecMsg, kDecMsg, kDecMsg}},
        FormCase{"DecimalLineBreakAfterBlank", "72 \r105", 1, false, {"Hi", "48 69", "0100 1000 0110 1001"}},
        FormCase{"DecimalEmpty", "", 1, false, {"", "", ""}},
        FormCase{"DecimalOnlyBlank", " ", 1, false, {std::string("\0\0", 2), "00 00", "0000 0000 0000 0000"}},
        FormCase{"HexSpaced", "48 69", 2, false, {"72 105", "Hi", "0100 1000 0110 1001"}},
        FormCase{"HexShortLastPiece", "486", 2, false, {"72 6", "H\x06", "0100 1000 0000 0110"}},
        FormCase{"HexLowerCase", "4a", 2, false, {"74", "J", "0100 1010"}},
        FormCase{"HexBadDigit", "4G", 2, false, {kHexMsg, kHexMsg, kHexMsg}},
        FormCase{"HexTabInside", "4\t1", 2, false, {kHexMsg, kHexMsg, kHexMsg}},
        FormCase{"HexTabsAtEnds", "\t41\t", 2, false, {"65", "A", "0100 0001"}},
        FormCase{"BinarySpaced", "0100 1000 0110 1001", 3, false, {"72 105", "48 69", "Hi"}},
        FormCase{"BinaryShortLastGroup", "0100 1000 0", 3, false, {"72 0", "48 00", std::string("H\0", 2)}},
        FormCase{"BinaryBadDigit", "012", 3, false, {kBinMsg, kBinMsg, kBinMsg}},
        FormCase{"BinaryHTML", "01000001", 3, true, {"&#65;", "%41", "A"}},
        FormCase{"FormOutsideTheRows", "Hi", 4, false, {"<none>", "", ""}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Engine, TextOutsideTheEightBitRangeGetsLongerHexadecimal) {
    // Only text that reached the engine unconverted can hold such characters.
    const auto out = convert(String("\u0100A"), 0, false);
    ASSERT_TRUE(out);
    EXPECT_EQ(out->area[0].ToUTF8(), "256 65");
    EXPECT_EQ(out->area[1].ToUTF8(), "100 41");
    EXPECT_EQ(out->area[2].ToUTF8(), "0000 0000 0100 0001");
}

// ---- Wrapping ----

struct WrapCase {
    const char* name;
    std::string text;
    const char* kind;
    bool html;
    std::string expected;
};

class WrapCases : public ::testing::TestWithParam<WrapCase> {};

TEST_P(WrapCases, BreakAsPromised) {
    const WrapCase& c = GetParam();
    EXPECT_EQ(rewrap(MacRoman(c.text), c.kind, c.html).Bytes(), c.expected);
}

const std::string kLine = " \r";

INSTANTIATE_TEST_SUITE_P(
    Wrapping, WrapCases,
    ::testing::Values(
        WrapCase{"Empty", "", "D", false, ""},
        WrapCase{"ThirtyThreeCodesStay", Repeat("65", 33), "D", false, Repeat("65", 33)},
        WrapCase{"ThirtyFourCodesBreakAtThirty", Repeat("65", 34), "D", false,
                 Repeat("65", 30) + kLine + Repeat("65", 4) + kLine},
        WrapCase{"HexThirtyPerLine", Repeat("41", 40), "H", false, Repeat("41", 30) + kLine + Repeat("41", 10) + kLine},
        WrapCase{"BinaryNinePerLine", Repeat("0100 0001", 12), "B", false,
                 Repeat("0100 0001", 9) + kLine + Repeat("0100 0001", 3) + kLine},
        WrapCase{"HTMLDecimalSixteenPerLine", Repeat("&#65;", 21, ""), "D", true,
                 Repeat("&#65;", 16, "") + kLine + Repeat("&#65;", 5, "") + kLine},
        WrapCase{"HTMLHexTwentySevenPerLine", Repeat("%41", 34, ""), "H", true,
                 Repeat("%41", 27, "") + kLine + Repeat("%41", 7, "") + kLine},
        WrapCase{"HTMLSettingLeavesBinaryPlain", Repeat("0100 0001", 12), "B", true,
                 Repeat("0100 0001", 9) + kLine + Repeat("0100 0001", 3) + kLine},
        WrapCase{"TextWithoutBlank150", std::string(150, 'x'), "T", false,
                 std::string(104, 'x') + kLine + std::string(46, 'x') + kLine},
        WrapCase{"TextWithoutBlank199EndsInLoneBlank", std::string(199, 'x'), "T", true,
                 std::string(104, 'x') + kLine + std::string(95, 'x') + kLine + kLine},
        WrapCase{"NinetyCharacterRemainderEndingInBlank", std::string(104, 'x') + std::string(89, 'y') + " ", "T",
                 false, std::string(104, 'x') + kLine + std::string(89, 'y') + kLine + " "},
        WrapCase{"TextKeepsItsOwnLines",
                 std::string(70, 'a') + "\r" + std::string(70, 'b') + "\r" + std::string(70, 'c') + "\r", "T", false,
                 std::string(70, 'a') + "\r" + std::string(70, 'b') + "\r" + std::string(70, 'c') + "\r"},
        WrapCase{"ReturnsInsideWrappedTextCountAsColumns", std::string(50, 'a') + "\r" + std::string(150, 'b'), "T",
                 false, std::string(50, 'a') + "\r" + std::string(53, 'b') + kLine + std::string(97, 'b') + kLine + kLine}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Wrapping, CountsCharactersNotBytes) {
    // 150 two-byte characters wrap like 150 letters.
    std::string utf8;
    for (int i = 0; i < 150; ++i) utf8 += "\u00E9";
    const String wrapped = rewrap(String(utf8), "T", false);
    EXPECT_EQ(Len(wrapped), 150 + 4);
    EXPECT_EQ(Mid(wrapped, 105, 2).ToUTF8(), " \r");
}

TEST(Wrapping, KeepsEveryCharacterOfMalformedUTF8) {
    // Each case has a byte that is no UTF-8 character of its own, before a letter.
    for (const char* malformed : {"\x80", "\xBF", "\xC3", "\xE2\x82", "\xF0\x9F\x98"}) {
        const std::string utf8 = std::string(60, 'a') + malformed + "b\u00E9" + std::string(60, 'c') + malformed;
        const String text = String::FromBytes(utf8, Encodings::UTF8());
        const String wrapped = rewrap(text, "T", false);
        std::vector<int> seen, kept;
        for (int i = 1; i <= Len(text); ++i) seen.push_back(text.CodeAt(i));
        for (int i = 1; i <= Len(wrapped); ++i)
            if (wrapped.CodeAt(i) != ' ' && wrapped.CodeAt(i) != '\r') kept.push_back(wrapped.CodeAt(i));
        ASSERT_GT(seen.size(), 100u);
        EXPECT_NE(Len(wrapped), Len(text)) << "not wrapped";
        EXPECT_EQ(kept, seen) << utf8;
    }
}

// ---- The fast engine against the plain rules ----

namespace {

std::string RandomBlock(std::mt19937& rng, const std::string& alphabet, int maxLength) {
    std::uniform_int_distribution<int> length(0, maxLength), pick(0, int(alphabet.size()) - 1);
    std::string s(size_t(length(rng)), ' ');
    for (char& c : s) c = alphabet[size_t(pick(rng))];
    return s;
}

std::string AllBytes() {
    std::string all;
    for (int b = 0; b < 256; ++b) all += char(b);
    return all;
}

}  // namespace

TEST(Engine, MatchesThePlainRulesOnRandomBlocks) {
    std::mt19937 rng(7);
    struct Alphabet {
        int form;
        std::string chars;
    };
    const Alphabet alphabets[] = {{0, AllBytes()},
                                  {0, "ab \r"},
                                  {1, "0123456789       \r"},
                                  {1, "01234567 \rx"},
                                  {2, "0123456789ABCDEFabcdef   \r\t"},
                                  {2, "0123456789ABCDEF \rG"},
                                  {3, "0101010101   \r\t"},
                                  {3, "01 2"}};
    for (const Alphabet& a : alphabets) {
        for (int round = 0; round < 40; ++round) {
            const String block = MacRoman(RandomBlock(rng, a.chars, round < 30 ? 400 : 3000));
            for (bool html : {false, true}) {
                const auto fast = convert(block, a.form, html);
                const auto plain = RefConvert(block, a.form, html);
                ASSERT_TRUE(fast && plain);
                EXPECT_EQ(fast->invalid, plain->invalid);
                for (int k = 0; k < 3; ++k)
                    ASSERT_EQ(fast->area[k], plain->area[k])
                        << "form " << a.form << " html " << html << " area " << k << " block \"" << block.ToUTF8()
                        << "\"";
            }
        }
    }
}

// ---- Lists longer than the engine's chunks ----

namespace {

// A random block of count codes in the form: bytes for text; for the code
// forms valid lists, with now and then what the plain rules allow besides
// single blanks.
std::string RandomCodes(std::mt19937& rng, int form, int count) {
    std::uniform_int_distribution<int> byte(0, 255), wide(256, 999), percent(0, 99);
    const char* const hexDigits = "0123456789ABCDEFabcdef";
    std::string s;
    for (int i = 0; i < count; ++i) {
        const int roll = percent(rng);
        switch (form) {
            case BlockEngine::kText:
                s += char(byte(rng));
                break;
            case BlockEngine::kDecimal: {
                // A code above 255, a leading zero, an empty field (code 0),
                // a line break after the blank.
                const int code = roll < 2 ? wide(rng) : byte(rng);
                s += (roll == 2 && code < 100 ? "0" : "") + std::to_string(code) +
                     (roll == 3 ? "  " : roll == 4 ? " \r" : " ");
                break;
            }
            case BlockEngine::kHexadecimal:
                // Pieces with or without blanks between them, line breaks anywhere.
                s += hexDigits[byte(rng) % 22];
                s += hexDigits[byte(rng) % 22];
                s += roll < 50 ? " " : roll < 52 ? "\r" : "";
                break;
            case BlockEngine::kBinary:
                for (int bit = 7, code = byte(rng); bit >= 0; --bit)
                    s += std::string((code >> bit) & 1 ? "1" : "0") + (bit == 4 ? " " : "");
                s += roll < 80 ? " " : roll < 82 ? " \r" : "";
                break;
        }
    }
    return s;
}

}  // namespace

// The engine cuts the lines of each code list in chunks of 32 KiB as the
// list grows; lists longer than that still break as the plain rules say.
TEST(Engine, MatchesThePlainRulesOnListsLongerThanItsChunks) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> count(11000, 12000), wide(0x100, 0x2FFF);
    struct Block {
        int form;
        String block;
        bool invalid;
    };
    std::vector<Block> blocks;
    for (int form : {BlockEngine::kText, BlockEngine::kDecimal, BlockEngine::kHexadecimal, BlockEngine::kBinary})
        blocks.push_back({form, MacRoman(RandomCodes(rng, form, count(rng))), false});
    // Text that reached the engine unconverted, with wider characters.
    std::string utf8;
    for (char c : RandomCodes(rng, BlockEngine::kText, count(rng)))
        utf8 += Encodings::UTF8().Chr(uint8_t(c) % 8 ? uint8_t(c) % 128 : wide(rng)).Bytes();
    blocks.push_back({BlockEngine::kText, String::FromBytes(utf8, Encodings::UTF8()), false});
    // A bad digit near the end of a long list.
    const char bad[] = {0, 'x', 'G', '2'};
    for (int form : {BlockEngine::kDecimal, BlockEngine::kHexadecimal, BlockEngine::kBinary}) {
        std::string codes = RandomCodes(rng, form, count(rng));
        codes.insert(codes.size() - 20, 1, bad[form]);
        blocks.push_back({form, MacRoman(codes), true});
    }

    for (const Block& b : blocks) {
        for (bool html : {false, true}) {
            SCOPED_TRACE(testing::Message() << "form " << b.form << (html ? " HTML" : "") << " "
                                            << b.block.Encoding().Name().ToUTF8());
            const auto fast = convert(b.block, b.form, html);
            const auto plain = RefConvert(b.block, b.form, html);
            ASSERT_TRUE(fast && plain);
            ASSERT_EQ(plain->invalid, b.invalid);
            EXPECT_EQ(fast->invalid, b.invalid);
            for (int k = 0; k < 3; ++k) {
                if (!b.invalid && k + 1 != b.form) {
                    EXPECT_GT(plain->area[k].Bytes().size(), 32768u) << "area " << k;
                }
                EXPECT_EQ(fast->area[k], plain->area[k]) << "area " << k;
            }
        }
    }
}

TEST(Wrapping, MatchesThePlainRulesOnRandomTexts) {
    std::mt19937 rng(11);
    for (const char* alphabet : {"x ", "xxxxxxxx \r", "xxxxxxxxxxxxxxxxxxxxxxxxxxxxx ", "&%x#; "}) {
        for (int round = 0; round < 200; ++round) {
            const String text = MacRoman(RandomBlock(rng, alphabet, 700));
            for (const char* kind : {"D", "H", "B", "T"})
                for (bool html : {false, true})
                    ASSERT_EQ(rewrap(text, kind, html).Bytes(), blockrules::PlainWrap(text, kind, html).Bytes())
                        << kind << html << " \"" << text.Bytes() << "\"";
        }
    }
}

// ---- Code lists read back ----

// The longest blocks make lists that are wrapped in several chunks.
TEST(Engine, CodeListsReadBackAsTheirOwnFormGiveTheTextAgain) {
    std::mt19937 rng(3);
    for (int round = 0; round < 300; ++round) {
        const String text = MacRoman(RandomBlock(rng, AllBytes(), round < 250 ? 60 : round < 298 ? 2500 : 50000));
        ASSERT_TRUE(blockrules::ListsReadBack(text)) << text.ToUTF8();
    }
}

// ---- Progress ----

namespace {
struct Recorder : BlockEngine::Progress {
    std::vector<std::string> counts, labels;
    void Count(const String& s) override { counts.push_back(s.ToUTF8()); }
    void Label(const String& s) override { labels.push_back(s.ToUTF8()); }
};
}  // namespace

TEST(Engine, ReportsProgressOnlyForLongBlocks) {
    struct Case {
        std::string block;
        int form;
        std::vector<std::string> firstCounts, labels;
    };
    const Case cases[] = {
        {std::string(875, 'a'), 0, {"237 characters", "474 characters"}, {}},
        {std::string(876, 'a'), 0, {"237 characters"}, {"877 characters", "Rewrapping output\u2026"}},
        {Repeat("65", 300), 1, {"237 decimal ASCII codes"}, {"301 decimal ASCII codes"}},
        {Repeat("4", 1000, ""), 2, {"119 hexadecimal codes", "356 hexadecimal codes"},
         {"501 hexadecimal codes", "Rewrapping output\u2026"}},
        {Repeat("0", 880, ""), 3, {" binary codes", "12 binary codes"}, {"110 binary codes", "Rewrapping output\u2026"}},
    };
    for (const Case& c : cases) {
        Recorder r;
        convert(MacRoman(c.block), c.form, false, &r);
        ASSERT_GE(r.counts.size(), c.firstCounts.size());
        for (size_t i = 0; i < c.firstCounts.size(); ++i) EXPECT_EQ(r.counts[i], c.firstCounts[i]) << c.form;
        EXPECT_EQ(r.labels, c.labels) << c.form;
    }
}
