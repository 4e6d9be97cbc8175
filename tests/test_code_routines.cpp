// The code routines of the application object and the conversion of typed
// text into the system encoding.

#include "Charvella.h"
#include "TextUtilitiesSubset.h"
#include "framework/String.h"
#include "framework/TextEncoding.h"
#include "framework/Testing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct StringCase {
    const char* in;
    const char* out;
};

class CodeRoutines : public ::testing::Test {
protected:
    Charvella app;
};

TEST_F(CodeRoutines, BinaryGroupsHexDigits) {
    const StringCase cases[] = {
        {"41", " 0100 0001"}, {"A", " 0000 1010"},   {"FF", " 1111 1111"}, {"ff", " 1111 1111"},
        {"", " 0000 0000"},   {"%0A", " 0000 1010"}, {"100", " 0001 0000 0000"}, {"B9", " 1011 1001"}};
    for (const StringCase& c : cases) EXPECT_EQ(app.binary(c.in).ToUTF8(), c.out) << '"' << c.in << '"';
    // The converter shows the last nine characters.
    EXPECT_EQ(fw::Right(app.binary("100"), 9).ToUTF8(), "0000 0000");
    EXPECT_TRUE(fw::testing::TakeMessageBoxes().empty());
}

// Memory running out inside the routine: it reports it and gives nothing,
// whether the failure comes while it pads the digits or while it groups them.
TEST_F(CodeRoutines, BinaryReportsAFailureAndGivesNothing) {
    const std::string message =
        "Binary conversion error.  This should never happen.  Please contact us: "
        "http://www.tessarinds.com/contact.html";
    fw::testing::TakeMessageBoxes();
    const StringCase cases[] = {{"", " 0000 0000"}, {"A", " 0000 1010"}, {"41", " 0100 0001"}};
    for (const StringCase& c : cases) {
        fw::testing::FailNextYield();
        EXPECT_TRUE(app.binary(c.in).IsEmpty()) << '"' << c.in << '"';
        EXPECT_EQ(fw::testing::TakeMessageBoxes(), std::vector<std::string>{message}) << '"' << c.in << '"';
        // The failure is spent: the next call gives the groups.
        EXPECT_EQ(app.binary(c.in).ToUTF8(), c.out);
        EXPECT_TRUE(fw::testing::TakeMessageBoxes().empty());
    }
}

TEST_F(CodeRoutines, RemoveSpaces) {
    const StringCase cases[] = {{"  4 1  ", "41"},    {"", ""},         {"   ", ""},
                                {"4\t1", "4\t1"},     {" \t4 \t1 \t", "4\t1"}, {"0100 0001", "01000001"},
                                {"1  2   3", "123"}, {"\r65\r", "65"}};
    for (const StringCase& c : cases) EXPECT_EQ(app.removeSpaces(c.in).ToUTF8(), c.out) << '"' << c.in << '"';
}

TEST_F(CodeRoutines, InvalidCodes) {
    using Check = bool (Charvella::*)(const fw::String&);
    struct Case {
        Check check;
        const char* in;
        bool invalid;
    } const cases[] = {
        {&Charvella::invalidHex, "", false},     {&Charvella::invalidHex, "4G", true},
        {&Charvella::invalidHex, "G4", true},    {&Charvella::invalidHex, "0a", false},
        {&Charvella::invalidHex, "FF", false},   {&Charvella::invalidHex, "09", false},
        {&Charvella::invalidHex, "4 1", true},   {&Charvella::invalidHex, "%41", true},
        {&Charvella::invalidHex, "-1", true},    {&Charvella::invalidHex, "\xC3\xA9", true},
        {&Charvella::invalidBin, "", false},     {&Charvella::invalidBin, "0120", true},
        {&Charvella::invalidBin, "010101010", false}, {&Charvella::invalidBin, "10 1", true},
        {&Charvella::invalidBin, "1", false},    {&Charvella::invalidBin, "1a", true},
        {&Charvella::invalidDec, "", false},     {&Charvella::invalidDec, "256", false},
        {&Charvella::invalidDec, "-1", true},    {&Charvella::invalidDec, "6 5", true},
        {&Charvella::invalidDec, "0", false},    {&Charvella::invalidDec, "1.5", true},
        {&Charvella::invalidDec, "A", true},     {&Charvella::invalidDec, "+1", true},
        {&Charvella::invalidDec, "&#65;", true},
    };
    for (const Case& c : cases) EXPECT_EQ((app.*c.check)(c.in), c.invalid) << '"' << c.in << '"';
}

TEST_F(CodeRoutines, RemoveHTMLForms) {
    const StringCase decimal[] = {{" &#65; ", "65"}, {"6&5;", "65"}, {"&#;", ""},   {" 65 ", "65"},
                                  {" 6 5 ", "6 5"},  {"", ""},       {"#&#9;;", "9"}};
    for (const StringCase& c : decimal) EXPECT_EQ(app.removeDecHTML(c.in).ToUTF8(), c.out) << '"' << c.in << '"';
    const StringCase hex[] = {{" %41 ", "41"}, {"%%4%1", "41"}, {" 4 1 ", "4 1"}, {"&#41;", "&#41;"}, {"", ""}};
    for (const StringCase& c : hex) EXPECT_EQ(app.removeHexHTML(c.in).ToUTF8(), c.out) << '"' << c.in << '"';
}

// Whole fields must match, not parts of them.
TEST_F(CodeRoutines, IsInMatchesWholeFields) {
    const fw::String list = "0,3,8,9,13,23,27,28,29,30,31,32";
    for (int n : {0, 3, 8, 9, 13, 23, 27, 28, 29, 30, 31, 32}) EXPECT_TRUE(app.isIn(n, list)) << n;
    for (int n : {10, 127, 1, 2, 12, 33, 300, -3}) EXPECT_FALSE(app.isIn(n, list)) << n;
    EXPECT_TRUE(app.isIn(5, " 5 ,6"));
}

TEST(TextUtilities, SystemEncodingIsMacRomanLookedUpOnce) {
    EXPECT_TRUE(fw::GetFontTextEncoding("System").IsNil());
    ASSERT_TRUE(TextUtilitiesSubset::mSystemEncoding.IsNil());
    const fw::TextEncoding first = TextUtilitiesSubset::SystemEncoding();
    EXPECT_EQ(first, fw::Encodings::MacRoman());
    EXPECT_EQ(TextUtilitiesSubset::mSystemEncoding, first);
    EXPECT_EQ(TextUtilitiesSubset::SystemEncoding(), first);
    // Once found it is not looked up again.
    TextUtilitiesSubset::mSystemEncoding = fw::Encodings::ISOLatin1();
    EXPECT_EQ(TextUtilitiesSubset::SystemEncoding(), fw::Encodings::ISOLatin1());
}

TEST(TextUtilities, ConvertTextIntoSystemEncoding) {
    const fw::TextEncoding macRoman = TextUtilitiesSubset::SystemEncoding();
    struct Case {
        const char* utf8;
        std::string bytes;
    };
    const Case cases[] = {{"\xC3\xA9", "\x8E"},  {"A", "A"},     {"\xE2\x80\xA6", "\xC9"},
                          {"\xC3\xBC", "\x9F"},  {"", ""},       {"\xCE\xA9", "\xBD"}};
    for (const Case& c : cases) {
        const fw::String converted = TextUtilitiesSubset::ConvertText(c.utf8, macRoman);
        EXPECT_EQ(converted.Bytes(), c.bytes) << c.utf8;
        EXPECT_EQ(converted.Encoding(), macRoman) << c.utf8;
        EXPECT_EQ(converted.ToUTF8(), c.utf8);
    }
    EXPECT_EQ(fw::Asc(TextUtilitiesSubset::ConvertText("\xC3\xA9", macRoman)), 142);
    // Text already in MacRoman keeps its characters.
    const fw::String roman = fw::String::FromBytes("\x8E\x41\xC9\x0D", fw::Encodings::MacRoman());
    const fw::String again = TextUtilitiesSubset::ConvertText(roman, macRoman);
    EXPECT_EQ(again.Bytes(), roman.Bytes());
    EXPECT_EQ(again.ToUTF8(), "\xC3\xA9" "A\xE2\x80\xA6\r");
    // A character MacRoman lacks becomes "?".
    EXPECT_EQ(TextUtilitiesSubset::ConvertText("\xD0\x96", macRoman).Bytes(), "?");
}

}  // namespace
