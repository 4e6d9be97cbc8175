#pragma once

// Framework strings: immutable text values that carry their text encoding and
// count characters from 1.
//
// A String holds the bytes of its text in its encoding. In a single-byte
// encoding every byte is one character. In UTF-8 a character is one code
// point, in MacJapanese one or two bytes; for these the first index-based
// access builds a table of character offsets that copies of the string share,
// so a loop of Mid(s, i, 1) or Asc over every character costs O(n) in all.
// The framework is single-threaded: these shared caches are not synchronised,
// which is safe because every string lives on the one user-interface thread.
//
// Comparison, InStr, ReplaceAll and the field functions ignore letter case and
// compare Unicode characters, so a MacJapanese character that stands for
// several of them matches its conversion in any encoding.
// Line ends inside the program are carriage returns (Chr(13)).

#include "framework/TextEncoding.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace fw {

struct StringIndex;

class String {
public:
    String();                              // the empty string, UTF-8
    String(const char* utf8);              // NOLINT: literals are UTF-8
    String(std::string_view utf8);         // NOLINT
    String(const std::string& utf8);       // NOLINT

    // Bytes as they stand, tagged with enc (which may be Nil: raw bytes).
    static String FromBytes(std::string bytes, TextEncoding enc);

    const std::string& Bytes() const { return bytes_; }
    TextEncoding Encoding() const { return enc_; }
    bool IsEmpty() const { return bytes_.empty(); }

    // The text as UTF-8, decoded from its encoding (raw bytes are read as
    // MacRoman, the system encoding).
    std::string ToUTF8() const;

    String& operator+=(const String& other);
    friend String operator+(const String& a, const String& b);

    // Equality ignores letter case; strings in different encodings are equal
    // when they hold the same characters.
    friend bool operator==(const String& a, const String& b);
    friend bool operator!=(const String& a, const String& b) { return !(a == b); }

    // Character-level access used by the module functions (1-based).
    int CharCount() const;
    int CodeAt(int index) const;                  // code of character index
    String Substring(int start, int count) const; // clamps to the text

    // Internal caches (character offsets, last field split); framework only.
    const StringIndex& Index() const;

private:
    std::string bytes_;
    TextEncoding enc_;
    mutable std::shared_ptr<const StringIndex> index_;
};

// Length in characters. A text of more than INT_MAX characters cannot be
// counted: OutOfMemoryException, as for any text too large to hold.
int Len(const String& s);
// Characters from start (1-based) to the end, or length characters from start.
String Mid(const String& s, int start);
String Mid(const String& s, int start, int length);
// The first / last n characters (all when shorter, "" for n <= 0).
String Left(const String& s, int n);
String Right(const String& s, int n);
// The code of the first character in the string's own encoding; 0 for "".
int Asc(const String& s);
// The character of a code: 0-255 in the system encoding (MacRoman), so that
// Asc(Chr(n)) = n; above 255 the Unicode character in UTF-8.
String Chr(int code);
// The leading number: optional blanks, sign, digits, fraction, exponent;
// "&H" hexadecimal, "&b" binary and "&o" octal digits; 0 when none.
double Val(const String& s);
// Decimal text without blanks or leading zeros. Doubles: whole numbers below
// 1e15 in full, others with 7 significant digits ("0.3333333", "1.000000e+20").
String Str(int value);
String Str(int64_t value);
String Str(double value);
// Upper-case hexadecimal without leading zeros; negatives as 32-bit two's complement.
String Hex(int64_t value);
// Number formatting with "#" (digit if significant), "0" (digit always),
// "." and "," (thousands) placeholders; rounds half away from zero. Text
// around the placeholders is kept. A "#" shows no insignificant digit, so
// Format(0, "#") is "" (use "0" to show zeros).
String Format(double value, const String& pattern);
// 1-based position of find in s (from start), 0 when absent; ignores case.
// An empty find is found at start when start lies within s.
int InStr(const String& s, const String& find);
int InStr(int start, const String& s, const String& find);
// Every occurrence replaced; ignores case.
String ReplaceAll(const String& s, const String& find, const String& replacement);
// Fields separated by sep, numbered from 1; empty fields count. "" has no
// fields; an empty sep leaves the text one field; NthField out of range is "".
int CountFields(const String& s, const String& sep);
String NthField(const String& s, const String& sep, int n);
// Leading and/or trailing white space (blank, tab, CR, LF, VT, FF) removed.
String Trim(const String& s);
String LTrim(const String& s);
String RTrim(const String& s);
// The same bytes, tagged with another encoding.
String DefineEncoding(const String& s, TextEncoding enc);
// The same characters, converted into another encoding ("?" where it has none).
// Bytes that are no character of their encoding convert as U+FFFD.
String ConvertEncoding(const String& s, TextEncoding enc);
// The platform's line ending, a line feed. Inside the program's own texts
// the line separator is still the carriage return.
String EndOfLine();

}  // namespace fw
