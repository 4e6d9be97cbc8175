// The code routines shared by every window that shows or reads codes.

#include "Charvella.h"
#include "WebSite.h"
#include "framework/Runtime.h"

using namespace fw;

namespace {

struct DigitGroup {
    String digit;
    String group;
};

// A blank and the digit's value in four binary digits, most significant first.
const DigitGroup kDigitGroups[] = {
    {"0", " 0000"}, {"1", " 0001"}, {"2", " 0010"}, {"3", " 0011"}, {"4", " 0100"}, {"5", " 0101"},
    {"6", " 0110"}, {"7", " 0111"}, {"8", " 1000"}, {"9", " 1001"}, {"A", " 1010"}, {"B", " 1011"},
    {"C", " 1100"}, {"D", " 1101"}, {"E", " 1110"}, {"F", " 1111"}};

const String kDecimalDigits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
const String kHexDigits[] = {"0", "1", "2", "3", "4", "5", "6", "7",
                             "8", "9", "A", "B", "C", "D", "E", "F"};

// Whether the one-character string c holds one of the digits.
template <size_t N>
bool HasDigit(const String& c, const String (&digits)[N]) {
    for (const String& digit : digits)
        if (InStr(c, digit) > 0) return true;
    return false;
}

// Whether some character of s is none of the digits. The scan runs to the
// last character rather than stopping at the first bad one.
template <size_t N>
bool HasCharacterOutside(const String& s, const String (&digits)[N]) {
    const int length = Len(s);
    bool outside = false;
    for (int i = 1; i <= length; ++i) {
        if (!HasDigit(Mid(s, i, 1), digits)) outside = true;
        YieldToScheduler();
    }
    return outside;
}

}  // namespace

String Charvella::binary(String s) {
    try {
        while (Len(s) < 2) {
            s = "0" + s;
            YieldToScheduler();
        }
        String result;
        // Characters that are no hexadecimal digit add nothing, so "%41"
        // gives the groups of "41".
        for (int i = 1; i <= Len(s); ++i) {
            const String c = Mid(s, i, 1);
            for (const DigitGroup& row : kDigitGroups) {
                if (c == row.digit) {
                    result += row.group;
                    break;
                }
            }
            YieldToScheduler();
        }
        return result;
    } catch (...) {
        MsgBox(String("Binary conversion error.  This should never happen.  Please contact us: ") + kContactPage);
        return String();
    }
}

String Charvella::removeSpaces(String s) {
    s = Trim(s);
    while (InStr(s, " ") > 0) {
        s = ReplaceAll(s, " ", "");
        YieldToScheduler();
    }
    return s;
}

bool Charvella::invalidHex(const String& s) { return HasCharacterOutside(s, kHexDigits); }

bool Charvella::invalidBin(const String& s) {
    const int length = Len(s);
    for (int i = 1; i <= length; ++i) {
        const String c = Mid(s, i, 1);
        if (InStr(c, "0") == 0 && InStr(c, "1") == 0) return true;
        YieldToScheduler();
    }
    return false;
}

bool Charvella::invalidDec(const String& s) { return HasCharacterOutside(s, kDecimalDigits); }

String Charvella::removeDecHTML(String s) {
    s = Trim(s);
    s = ReplaceAll(s, "&", "");
    s = ReplaceAll(s, "#", "");
    s = ReplaceAll(s, ";", "");
    return s;
}

String Charvella::removeHexHTML(String s) { return ReplaceAll(Trim(s), "%", ""); }

bool Charvella::isIn(int32_t n, const String& list) {
    const int count = CountFields(list, ",");
    for (int i = 1; i <= count; ++i) {
        if (Val(NthField(list, ",", i)) == static_cast<double>(n)) return true;
        YieldToScheduler();
    }
    return false;
}
