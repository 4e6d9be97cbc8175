// The string functions on arbitrary strings, counts and encodings. Each check
// states what the function promises, in terms of the others where it can.

#include "FuzzSupport.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

using namespace fw;

namespace {

// Brute-force checks of a search are quadratic; they run on short text only.
constexpr int kShort = 48;

String TakeString(FuzzedDataProvider& in) {
    const TextEncoding enc = fuzz::EncodingNumber(in.ConsumeIntegralInRange<unsigned>(0, fuzz::kEncodingNumbers - 1));
    return String::FromBytes(in.ConsumeRandomLengthString(200), enc);
}

// Small counts mostly, but the whole int range too.
int TakeCount(FuzzedDataProvider& in) {
    return in.ConsumeBool() ? in.ConsumeIntegral<int>() : in.ConsumeIntegralInRange<int>(-2, 80);
}

bool IsPrefix(const std::string& part, const std::string& whole) { return whole.compare(0, part.size(), part) == 0; }
bool IsSuffix(const std::string& part, const std::string& whole) {
    return part.size() <= whole.size() && whole.compare(whole.size() - part.size(), part.size(), part) == 0;
}

// find matches the characters of s from position p on (a MacJapanese character
// may stand for up to five Unicode characters on either side).
bool MatchesAt(const String& s, int p, const String& find) {
    const int most = std::min(Len(s) - p + 1, int(detail::kMaxSequence) * Len(find));
    for (int k = 1; k <= most; ++k)
        if (Mid(s, p, k) == find) return true;
    return false;
}

void CheckSlices(const String& s, int n, int m) {
    const std::string& b = s.Bytes();
    const int len = Len(s);
    FUZZ_CHECK(len >= 0 && size_t(len) <= b.size());
    if (!detail::IsMultiByte(detail::Effective(s.Encoding()))) FUZZ_CHECK(size_t(len) == b.size());

    const String left = Left(s, n), right = Right(s, n);
    FUZZ_CHECK(left.Encoding() == s.Encoding() && right.Encoding() == s.Encoding());
    if (n <= 0) {
        FUZZ_CHECK(left.IsEmpty() && right.IsEmpty());
    } else {
        FUZZ_CHECK(Len(left) == std::min(n, len) && IsPrefix(left.Bytes(), b));
        FUZZ_CHECK(Len(right) == std::min(n, len) && IsSuffix(right.Bytes(), b));
        FUZZ_CHECK(right.Bytes() == Mid(s, int(std::max<int64_t>(1, int64_t(len) - n + 1))).Bytes());
        if (n < INT_MAX) FUZZ_CHECK((left + Mid(s, n + 1)).Bytes() == b);
    }

    const String mid = Mid(s, n, m);
    const int64_t start = std::max(n, 1);
    const int64_t expected = m <= 0 || start > len ? 0 : std::min<int64_t>(m, len - start + 1);
    FUZZ_CHECK(mid.Encoding() == s.Encoding() && Len(mid) == expected);
    if (expected) FUZZ_CHECK(mid.Bytes() == Left(Mid(s, int(start)), m).Bytes());
    FUZZ_CHECK(Mid(s, n).Bytes() == Mid(s, n, INT_MAX).Bytes());
    FUZZ_CHECK(s.Substring(n, m).Bytes() == mid.Bytes());

    FUZZ_CHECK(s.CodeAt(n) == (n >= 1 && n <= len ? Asc(Mid(s, n, 1)) : 0));
    FUZZ_CHECK(Asc(s) == s.CodeAt(1));

    // Character by character, the pieces make the whole again.
    if (len <= 300) {
        std::string joined;
        for (int i = 1; i <= len; ++i) {
            const String c = Mid(s, i, 1);
            FUZZ_CHECK(Len(c) == 1 && c.CodeAt(1) == s.CodeAt(i));
            joined += c.Bytes();
        }
        FUZZ_CHECK(joined == b);
    }
}

void CheckSearch(const String& s, const String& find, int start) {
    const int len = Len(s), at = InStr(start, s, find);
    const int from = std::max(start, 1);
    FUZZ_CHECK(InStr(s, find) == InStr(1, s, find));
    if (s.IsEmpty() || from > len) {
        FUZZ_CHECK(at == 0);
        return;
    }
    if (find.IsEmpty()) {
        FUZZ_CHECK(at == from);
        return;
    }
    if (at) FUZZ_CHECK(at >= from && at <= len && MatchesAt(s, at, find));
    if (len <= kShort)
        for (int p = from; p < (at ? at : len + 1); ++p) FUZZ_CHECK(!MatchesAt(s, p, find));
}

void CheckEquality(const String& a, const String& b) {
    FUZZ_CHECK(a == a && a == DefineEncoding(a, a.Encoding()));
    FUZZ_CHECK((a == b) == (b == a));
    FUZZ_CHECK((a == b) != (a != b));
    if (a == b && !a.IsEmpty()) FUZZ_CHECK(InStr(a, b) == 1 && InStr(b, a) == 1);
    if (!a.IsEmpty()) FUZZ_CHECK(InStr(a, a) == 1);
    if (fuzz::Clean(a)) FUZZ_CHECK(a == ConvertEncoding(a, Encodings::UTF8()));

    // Appended to itself: twice the characters, the second copy found where it starts.
    String twice = a;
    twice += twice;
    FUZZ_CHECK(twice.Bytes() == a.Bytes() + a.Bytes() && twice.Encoding() == a.Encoding());
    if (fuzz::Clean(a) && !a.IsEmpty()) {
        FUZZ_CHECK(Len(twice) == 2 * Len(a) && Right(twice, Len(a)) == a);
        FUZZ_CHECK(InStr(Len(a) + 1, twice, a) == Len(a) + 1);
    }
}

// The fields, each a piece of s in order, joined again with sep.
String CheckFields(const String& s, const String& sep) {
    const int count = CountFields(s, sep);
    if (s.IsEmpty()) {
        FUZZ_CHECK(count == 0 && NthField(s, sep, 1).IsEmpty());
        return s;
    }
    FUZZ_CHECK(count >= 1 && count <= Len(s) + 1);
    if (sep.IsEmpty()) FUZZ_CHECK(count == 1 && NthField(s, sep, 1).Bytes() == s.Bytes());
    if (!sep.IsEmpty()) FUZZ_CHECK((count > 1) == (InStr(s, sep) > 0));
    size_t pos = 0;
    String joined;
    for (int i = 1; i <= count; ++i) {
        const String field = NthField(s, sep, i);
        FUZZ_CHECK(field.Encoding() == s.Encoding());
        pos = s.Bytes().find(field.Bytes(), pos);
        FUZZ_CHECK(pos != std::string::npos);
        pos += field.Bytes().size();
        joined = i == 1 ? field : joined + sep + field;
    }
    FUZZ_CHECK(NthField(s, sep, count + 1).IsEmpty() && NthField(s, sep, 0).IsEmpty());
    if (fuzz::Clean(s) && fuzz::Clean(sep)) FUZZ_CHECK(joined == s);
    return joined;
}

// The text joined with the replacement where the fields were split.
String JoinFields(const String& s, const String& sep, const String& with) {
    String out = String::FromBytes({}, s.Encoding());
    for (int i = 1, count = CountFields(s, sep); i <= count; ++i) out += (i > 1 ? with : "") + NthField(s, sep, i);
    return out;
}

void CheckReplace(const String& s, const String& find, const String& replacement) {
    const String out = ReplaceAll(s, find, replacement);
    if (find.IsEmpty() || InStr(s, find) == 0) {
        FUZZ_CHECK(out.Bytes() == s.Bytes() && out.Encoding() == s.Encoding());
        return;
    }
    if (!fuzz::Clean(s) || !fuzz::Clean(find) || !fuzz::Clean(replacement)) return;
    FUZZ_CHECK(out == JoinFields(s, find, replacement));
    FUZZ_CHECK(ReplaceAll(s, find, find) == s);
    // A one-character find that the replacement does not hold cannot come back,
    // unless MacJapanese text turned into Unicode, where a character that
    // stood for several becomes several.
    const bool splits = s.Encoding() == Encodings::MacJapanese() && out.Encoding() != s.Encoding();
    if (Len(ConvertEncoding(find, Encodings::UTF8())) == 1 && InStr(replacement, find) == 0 && !splits)
        FUZZ_CHECK(InStr(out, find) == 0);
}

bool IsBlank(char c) { return c && std::strchr(" \t\r\n\v\f", c); }

void CheckTrim(const String& s) {
    const String t = Trim(s), l = LTrim(s), r = RTrim(s);
    const std::string& b = t.Bytes();
    FUZZ_CHECK(t.Encoding() == s.Encoding());
    FUZZ_CHECK(b.empty() || (!IsBlank(b.front()) && !IsBlank(b.back())));
    FUZZ_CHECK(s.Bytes().find(b) != std::string::npos && Trim(t).Bytes() == b);
    FUZZ_CHECK(LTrim(r).Bytes() == b && RTrim(l).Bytes() == b);
    FUZZ_CHECK(IsSuffix(l.Bytes(), s.Bytes()) && IsPrefix(r.Bytes(), s.Bytes()));
    FUZZ_CHECK(Len(s) == Len(t) + int(s.Bytes().size() - b.size()));  // blanks are one byte each
}

bool IsDecimal(const std::string& text) {
    const size_t digits = text.find_first_not_of('-') == 1 ? 1 : 0;
    return text.size() > digits && text.find_first_not_of("0123456789", digits) == std::string::npos &&
           (text[digits] != '0' || text.size() == digits + 1) && text != "-0";
}

void CheckNumbers(FuzzedDataProvider& in, const String& pattern) {
    const int i = in.ConsumeIntegral<int>();
    const int64_t l = in.ConsumeIntegral<int64_t>();
    double d;
    const uint64_t bits = in.ConsumeIntegral<uint64_t>();
    std::memcpy(&d, &bits, sizeof d);

    FUZZ_CHECK(IsDecimal(Str(i).Bytes()) && Val(Str(i)) == i);
    FUZZ_CHECK(IsDecimal(Str(l).Bytes()) && Val(Str(l)) == double(l));
    const std::string hex = Hex(l).Bytes();
    FUZZ_CHECK(!hex.empty() && hex.find_first_not_of("0123456789ABCDEF") == std::string::npos);
    FUZZ_CHECK(hex == "0" || hex[0] != '0');
    const uint64_t unsignedValue = l < 0 && l >= INT32_MIN ? uint32_t(l) : uint64_t(l);
    if (unsignedValue < (uint64_t(1) << 53)) FUZZ_CHECK(Val("&H" + Hex(l)) == double(unsignedValue));

    FUZZ_CHECK(Format(i, "0").Bytes() == Str(i).Bytes());
    FUZZ_CHECK(Format(i, "#").Bytes() == (i ? Str(i).Bytes() : ""));
    FUZZ_CHECK(Format(i, "#,##0").Bytes() == Format(i, "#,###0").Bytes());

    const String str = Str(d);
    FUZZ_CHECK(!str.IsEmpty() && str.Bytes().find(' ') == std::string::npos);
    const String formatted = Format(d, pattern);
    FUZZ_CHECK(formatted.Encoding() == pattern.Encoding());
    if (pattern.Bytes().find_first_of("0#.") == std::string::npos) FUZZ_CHECK(formatted.Bytes() == pattern.Bytes());
    if (std::isfinite(d)) {
        if (std::abs(d) < 1e15 && d == std::trunc(d)) FUZZ_CHECK(Val(str) == d);
        else if (std::abs(d) >= 1e-300) FUZZ_CHECK(std::abs(Val(str) - d) <= std::abs(d) * 1e-6);
        if (std::abs(d) < 1e12)
            FUZZ_CHECK(std::abs(Val(Format(d, "0.00")) - d) <= 0.005 + std::abs(d) * 1e-12);
        const std::string whole = Format(d, "0").Bytes();
        FUZZ_CHECK(IsDecimal(whole) && std::abs(Val(whole) - d) <= 0.5 + std::abs(d) * 1e-15);
    }
    FUZZ_CHECK(!std::isnan(Val(pattern)));

    // Any number of decimals gives digits, a point and that many digits.
    const int decimals = in.ConsumeIntegralInRange(0, 400);
    const std::string fixed = Format(d, "0." + std::string(size_t(decimals), '0')).Bytes();
    if (std::isfinite(d)) {
        const size_t point = fixed.find('.');
        FUZZ_CHECK(point != std::string::npos && fixed.size() - point - 1 == size_t(decimals));
        FUZZ_CHECK(IsDecimal(fixed.substr(0, point)) || fixed.substr(0, point) == "-0");
        FUZZ_CHECK(fixed.find_first_not_of("0123456789", point + 1) == std::string::npos);
        if (std::abs(d) < 1e300) FUZZ_CHECK(std::abs(Val(fixed) - d) <= std::pow(10.0, -decimals) / 2 + std::abs(d) * 1e-15);
    }
}

void CheckChr(int n) {
    FUZZ_CHECK(Asc(Chr(n & 0xFF)) == (n & 0xFF) && Len(Chr(n & 0xFF)) == 1);
    const bool character = n >= 0 && n <= 0x10FFFF && (n < 0xD800 || n > 0xDFFF);
    FUZZ_CHECK(Asc(Chr(n)) == (character ? n : 0));
    FUZZ_CHECK(Len(Chr(n)) == (character ? 1 : 0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const String s = TakeString(in), find = TakeString(in), replacement = TakeString(in);
    const int n = TakeCount(in), m = TakeCount(in);
    CheckSlices(s, n, m);
    CheckSearch(s, find, n);
    CheckSearch(s, Mid(s, n, m), m);
    CheckEquality(s, find);
    CheckFields(s, find);
    CheckReplace(s, find, replacement);
    CheckTrim(s);
    CheckChr(n);
    CheckNumbers(in, find);
    return 0;
}
