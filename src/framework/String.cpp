#include "framework/String.h"

#include "framework/EncodingData.h"
#include "framework/Exceptions.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

namespace fw {

using detail::Effective;

// A field split remembered so that a loop of NthField splits the text once.
struct FieldSplit {
    std::string separator;
    TextEncoding encoding;
    std::vector<std::pair<size_t, size_t>> fields;  // byte ranges
};

struct StringIndex {
    int count = 0;
    std::vector<uint32_t> offsets;  // where each character starts, then the end; empty
                                    // when every character is one byte
    mutable std::optional<FieldSplit> split;
};

namespace {

// Multi-byte strings up to this size are scanned instead of indexed: Mid(s, i, 1)
// results and other short strings never allocate an index.
constexpr size_t kScanLimit = 32;

// Counts are ints: a text of more characters cannot be counted, nor held.
int CountChars(const EncodingData& e, std::string_view b) {
    size_t count = b.size();
    if (detail::IsMultiByte(e)) {
        count = 0;
        for (size_t pos = 0; pos < b.size(); pos += detail::CharLength(e, b, pos)) ++count;
    }
    if (count > size_t(INT_MAX)) throw OutOfMemoryException();
    return int(count);
}

std::shared_ptr<const StringIndex> BuildIndex(const EncodingData& e, std::string_view b) {
    if (b.size() > UINT32_MAX) throw OutOfMemoryException();  // the offsets are 32-bit
    auto index = std::make_shared<StringIndex>();
    index->count = CountChars(e, b);
    if (size_t(index->count) != b.size()) {
        index->offsets.reserve(size_t(index->count) + 1);
        for (size_t pos = 0; pos < b.size(); pos += detail::CharLength(e, b, pos))
            index->offsets.push_back(uint32_t(pos));
        index->offsets.push_back(uint32_t(b.size()));
    }
    return index;
}

// Byte offset of character index, 1 <= index <= Len(s) + 1.
size_t ByteOffset(const String& s, int index) {
    const EncodingData& e = Effective(s.Encoding());
    const std::string& b = s.Bytes();
    if (!detail::IsMultiByte(e)) return size_t(index - 1);
    if (b.size() <= kScanLimit) {
        size_t pos = 0;
        for (int i = 1; i < index; ++i) pos += detail::CharLength(e, b, pos);
        return pos;
    }
    const StringIndex& x = s.Index();
    return x.offsets.empty() ? size_t(index - 1) : x.offsets[size_t(index - 1)];
}

bool IsPureASCII(const String& s) {
    return Effective(s.Encoding()).asciiCompatible &&
           std::all_of(s.Bytes().begin(), s.Bytes().end(), [](char c) { return static_cast<uint8_t>(c) < 0x80; });
}

// Walks a string giving case-folded keys, one per Unicode character, so that
// text compares the same in every encoding: a MacJapanese character that
// stands for several Unicode characters gives one key for each. ASCII in an
// ASCII-compatible encoding takes the short way; a stray byte is a key of its own.
class FoldCursor {
public:
    explicit FoldCursor(const String& s, size_t pos = 0)
        : e_(&Effective(s.Encoding())), b_(s.Bytes()), pos_(pos) {}
    bool AtEnd() const { return pos_ >= b_.size() && pending_.empty(); }
    // Between two characters of the string, not inside one that gives several keys.
    bool AtBoundary() const { return pending_.empty(); }
    size_t Pos() const { return pos_; }
    void Skip() { pos_ += detail::CharLength(*e_, b_, pos_); }
    char32_t Next() {
        if (!pending_.empty()) {
            const char32_t c = pending_.front();
            pending_.remove_prefix(1);
            return detail::Fold(c);
        }
        const uint8_t byte = static_cast<uint8_t>(b_[pos_]);
        if (byte < 0x80 && e_->asciiCompatible) {
            ++pos_;
            return detail::Fold(byte);
        }
        const detail::DecodedChar c = detail::DecodeChar(*e_, b_, pos_);
        pos_ += c.length;
        if (!c.wellFormed) return kStray | byte;
        if (c.unicode < detail::kSequence) return detail::Fold(c.unicode);
        pending_ = detail::SequenceText(c.unicode);
        return Next();
    }

private:
    static constexpr char32_t kStray = 0x20000000;
    const EncodingData* e_;
    std::string_view b_;
    size_t pos_;
    std::u32string_view pending_;  // the rest of a character that gives several keys
};

constexpr size_t npos = std::string::npos;

// The byte range of the first match of find (non-empty) at or after byte from.
std::pair<size_t, size_t> Find(const String& s, size_t from, const String& find) {
    for (FoldCursor at(s, from); !at.AtEnd(); at.Skip()) {
        FoldCursor h = at, f(find);
        bool match = true;
        while (match && !f.AtEnd()) match = !h.AtEnd() && h.Next() == f.Next();
        if (match && h.AtBoundary()) return {at.Pos(), h.Pos()};
    }
    return {npos, npos};
}

String Piece(const String& s, size_t from, size_t to) {
    return String::FromBytes(s.Bytes().substr(from, to - from), s.Encoding());
}

const std::vector<std::pair<size_t, size_t>>& Fields(const String& s, const String& sep) {
    const StringIndex& x = s.Index();
    if (!x.split || x.split->separator != sep.Bytes() || x.split->encoding != sep.Encoding()) {
        FieldSplit split{sep.Bytes(), sep.Encoding(), {}};
        if (!s.IsEmpty()) {
            size_t pos = 0;
            for (auto m = sep.IsEmpty() ? std::pair(npos, npos) : Find(s, 0, sep); m.first != npos;
                 m = Find(s, pos, sep)) {
                split.fields.emplace_back(pos, m.first);
                pos = m.second;
            }
            split.fields.emplace_back(pos, s.Bytes().size());
        }
        x.split = std::move(split);
    }
    return x.split->fields;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

String Trimmed(const String& s, bool left, bool right) {
    const std::string& b = s.Bytes();
    size_t from = 0, to = b.size();
    while (left && from < to && IsBlank(b[from])) ++from;
    while (right && to > from && IsBlank(b[to - 1])) --to;
    return from == 0 && to == b.size() ? s : Piece(s, from, to);
}

String ToChars(double v, std::chars_format format, int precision) {
    std::string buf(size_t(precision) + 330, '\0');  // room for 309 whole digits, sign, point, exponent
    const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), v, format, precision);
    buf.resize(size_t(r.ptr - buf.data()));
    return String(buf);
}

// The digits of magnitude (finite, >= 0) rounded half away from zero to
// decimals places, without the point. Scaling works while the scaled number
// is a whole double; beyond that (many decimals, or huge values) the exact
// decimal expansion is rounded instead of printing the scaled double's noise
// or, once it overflows, "inf".
std::string RoundedDigits(double magnitude, int decimals) {
    const double scaled = std::round(magnitude * std::pow(10.0, decimals));
    if (scaled < 0x1p53) return ToChars(scaled, std::chars_format::fixed, 0).Bytes();
    constexpr int kExact = 1075;  // a double's expansion ends within 1074 decimals
    std::string exact = ToChars(magnitude, std::chars_format::fixed, std::max(decimals + 1, kExact)).Bytes();
    const size_t point = exact.find('.');
    exact.erase(point, 1);
    const bool up = exact[point + size_t(decimals)] >= '5';
    exact.resize(point + size_t(decimals));
    if (up) {
        size_t i = exact.size();
        while (i > 0 && exact[i - 1] == '9') exact[--i] = '0';
        if (i == 0)
            exact.insert(0, 1, '1');
        else
            ++exact[i - 1];
    }
    return exact;
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

}  // namespace

// ---- String ----

String::String() : enc_(Encodings::UTF8()) {}
String::String(const char* utf8) : bytes_(utf8 ? utf8 : ""), enc_(Encodings::UTF8()) {}
String::String(std::string_view utf8) : bytes_(utf8), enc_(Encodings::UTF8()) {}
String::String(const std::string& utf8) : bytes_(utf8), enc_(Encodings::UTF8()) {}

String String::FromBytes(std::string bytes, TextEncoding enc) {
    String s;
    s.bytes_ = std::move(bytes);
    s.enc_ = enc;
    return s;
}

std::string String::ToUTF8() const {
    if (enc_ == Encodings::UTF8()) return bytes_;
    return detail::Transcode(Effective(enc_), bytes_, *Encodings::UTF8().Data());
}

String& String::operator+=(const String& other) {
    if (other.bytes_.empty()) return *this;
    if (bytes_.empty()) return *this = other;
    index_.reset();
    if (enc_ == other.enc_ || (IsPureASCII(other) && Effective(enc_).asciiCompatible)) {
        bytes_ += other.bytes_;
    } else if (IsPureASCII(*this) && Effective(other.enc_).asciiCompatible) {
        enc_ = other.enc_;
        bytes_ += other.bytes_;
    } else {
        std::string tail = other.ToUTF8();
        bytes_ = ToUTF8() + tail;
        enc_ = Encodings::UTF8();
    }
    return *this;
}

String operator+(const String& a, const String& b) {
    String r = a;
    r += b;
    return r;
}

bool operator==(const String& a, const String& b) {
    if (a.enc_ == b.enc_ && a.bytes_ == b.bytes_) return true;
    FoldCursor x(a), y(b);
    while (!x.AtEnd() && !y.AtEnd())
        if (x.Next() != y.Next()) return false;
    return x.AtEnd() && y.AtEnd();
}

const StringIndex& String::Index() const {
    if (!index_) index_ = BuildIndex(Effective(enc_), bytes_);
    return *index_;
}

int String::CharCount() const {
    const EncodingData& e = Effective(enc_);
    if (!detail::IsMultiByte(e)) return CountChars(e, bytes_);
    return bytes_.size() <= kScanLimit ? CountChars(e, bytes_) : Index().count;
}

int String::CodeAt(int index) const {
    // Character 1 of a non-empty string needs no count: Asc stays cheap on long text.
    if (index < 1 || bytes_.empty() || (index > 1 && index > CharCount())) return 0;
    return detail::CharCode(Effective(enc_), bytes_, ByteOffset(*this, index));
}

String String::Substring(int start, int count) const {
    start = std::max(start, 1);
    const int n = CharCount();
    if (count <= 0 || start > n) return FromBytes({}, enc_);
    const int end = int(std::min<int64_t>(int64_t(start) + count, int64_t(n) + 1));
    const size_t from = ByteOffset(*this, start);
    return FromBytes(bytes_.substr(from, ByteOffset(*this, end) - from), enc_);
}

// ---- Module functions ----

int Len(const String& s) { return s.CharCount(); }
String Mid(const String& s, int start) { return s.Substring(start, INT_MAX); }
String Mid(const String& s, int start, int length) { return s.Substring(start, length); }
String Left(const String& s, int n) { return s.Substring(1, n); }

String Right(const String& s, int n) {
    if (n <= 0) return String::FromBytes({}, s.Encoding());
    const int len = Len(s);
    return n >= len ? s : s.Substring(len - n + 1, n);
}

int Asc(const String& s) { return s.CodeAt(1); }

String Chr(int code) {
    if (code < 0) return String::FromBytes({}, Encodings::MacRoman());
    if (code <= 255)
        return String::FromBytes(std::string(1, static_cast<char>(static_cast<uint8_t>(code))), Encodings::MacRoman());
    return Encodings::UTF8().Chr(code);
}

double Val(const String& s) {
    const std::string& b = s.Bytes();
    size_t i = 0;
    while (i < b.size() && (b[i] == ' ' || b[i] == '\t')) ++i;
    if (i + 1 < b.size() && b[i] == '&') {
        const char kind = char(b[i + 1] | 0x20);
        const int radix = kind == 'h' ? 16 : kind == 'b' ? 2 : kind == 'o' ? 8 : 0;
        if (radix) {
            double v = 0;
            for (i += 2; i < b.size() && DigitValue(b[i]) < radix; ++i) v = v * radix + DigitValue(b[i]);
            return v;
        }
    }
    const size_t start = i;
    const auto digits = [&] {
        const size_t from = i;
        while (i < b.size() && b[i] >= '0' && b[i] <= '9') ++i;
        return i > from;
    };
    if (i < b.size() && (b[i] == '+' || b[i] == '-')) ++i;
    bool any = digits();
    if (i < b.size() && b[i] == '.') {
        ++i;
        any = digits() || any;
    }
    if (!any) return 0;
    const size_t mantissaEnd = i;
    if (i < b.size() && (b[i] == 'e' || b[i] == 'E')) {
        ++i;
        if (i < b.size() && (b[i] == '+' || b[i] == '-')) ++i;
        if (!digits()) i = mantissaEnd;
    }
    // from_chars takes no '+' and, unlike strtod, ignores the C locale.
    const char* first = b.data() + start + (b[start] == '+');
    double v = 0;
    if (std::from_chars(first, b.data() + i, v).ec == std::errc::result_out_of_range) {
        const bool underflow = b.find('-', mantissaEnd) < i;  // only a negative exponent makes it tiny
        v = underflow ? 0.0 : HUGE_VAL;
        if (b[start] == '-') v = -v;
    }
    return v;
}

String Str(int value) { return String(std::to_string(value)); }
String Str(int64_t value) { return String(std::to_string(value)); }

String Str(double value) {
    if (value == 0) return "0";
    if (std::abs(value) < 1e15 && value == std::trunc(value)) return ToChars(value, std::chars_format::fixed, 0);
    String s = ToChars(value, std::chars_format::general, 7);
    return s.Bytes().find('e') != npos ? ToChars(value, std::chars_format::scientific, 6) : s;
}

String Hex(int64_t value) {
    auto u = static_cast<uint64_t>(value);
    if (value < 0 && value >= INT32_MIN) u &= 0xFFFFFFFFu;
    char buf[20];
    const auto r = std::to_chars(buf, buf + sizeof buf, u, 16);
    std::string text(buf, r.ptr);
    std::transform(text.begin(), text.end(), text.begin(), [](char c) { return c >= 'a' ? char(c - 32) : c; });
    return String(text);
}

// The number runs from the pattern's first to its last placeholder ("0", "#"
// or "."); commas inside it ask for thousands separators.
String Format(double value, const String& pattern) {
    const std::string& p = pattern.Bytes();
    const size_t first = p.find_first_of("0#."), last = p.find_last_of("0#.");
    if (first == npos) return pattern;
    const std::string number = p.substr(first, last - first + 1);
    const size_t dot = number.find('.');
    const std::string intPattern = number.substr(0, dot);
    const std::string fracPattern = dot == npos ? "" : number.substr(dot + 1);
    const auto count = [](const std::string& s, const char* set) {
        return int(std::count_if(s.begin(), s.end(), [&](char c) { return std::strchr(set, c) != nullptr; }));
    };
    const int decimals = count(fracPattern, "0#");

    if (!std::isfinite(value))  // "inf", "-inf" or "nan" in place of the number
        return String::FromBytes(p.substr(0, first) + Str(value).Bytes() + p.substr(last + 1), pattern.Encoding());
    std::string digits = RoundedDigits(std::abs(value), decimals);
    if (digits.size() <= size_t(decimals)) digits.insert(0, size_t(decimals) + 1 - digits.size(), '0');
    std::string whole = digits.substr(0, digits.size() - size_t(decimals));
    std::string fraction = digits.substr(whole.size());

    whole.erase(0, whole.find_first_not_of('0'));
    if (int missing = count(intPattern, "0") - int(whole.size()); missing > 0) whole.insert(0, size_t(missing), '0');
    if (intPattern.find(',') != npos)
        for (size_t i = whole.size(); i > 3; i -= 3) whole.insert(i - 3, 1, ',');
    const size_t keep = std::max(fraction.find_last_not_of('0') + 1, size_t(count(fracPattern, "0")));
    fraction.resize(std::min(keep, fraction.size()));

    std::string out = value < 0 && digits.find_first_not_of('0') != npos ? "-" : "";
    out += p.substr(0, first) + whole + (dot == npos ? "" : "." + fraction) + p.substr(last + 1);
    return String::FromBytes(std::move(out), pattern.Encoding());
}

int InStr(const String& s, const String& find) { return InStr(1, s, find); }

int InStr(int start, const String& s, const String& find) {
    start = std::max(start, 1);
    if (s.IsEmpty() || (start > 1 && start > Len(s))) return 0;
    if (find.IsEmpty()) return start;
    const size_t from = ByteOffset(s, start);
    const size_t match = Find(s, from, find).first;
    if (match == npos) return 0;
    return start + CountChars(Effective(s.Encoding()), std::string_view(s.Bytes()).substr(from, match - from));
}

String ReplaceAll(const String& s, const String& find, const String& replacement) {
    if (find.IsEmpty()) return s;
    auto m = Find(s, 0, find);
    if (m.first == npos) return s;
    String out = String::FromBytes({}, s.Encoding());
    size_t pos = 0;
    for (; m.first != npos; m = Find(s, pos, find)) {
        out += Piece(s, pos, m.first);
        out += replacement;
        pos = m.second;
    }
    return out += Piece(s, pos, s.Bytes().size());
}

int CountFields(const String& s, const String& sep) { return int(Fields(s, sep).size()); }

String NthField(const String& s, const String& sep, int n) {
    const auto& fields = Fields(s, sep);
    if (n < 1 || size_t(n) > fields.size()) return String::FromBytes({}, s.Encoding());
    return Piece(s, fields[size_t(n - 1)].first, fields[size_t(n - 1)].second);
}

String Trim(const String& s) { return Trimmed(s, true, true); }
String LTrim(const String& s) { return Trimmed(s, true, false); }
String RTrim(const String& s) { return Trimmed(s, false, true); }

String DefineEncoding(const String& s, TextEncoding enc) { return String::FromBytes(s.Bytes(), enc); }

// A Nil target cannot hold characters: the bytes are kept as they are.
String ConvertEncoding(const String& s, TextEncoding enc) {
    if (!enc || enc == s.Encoding()) return DefineEncoding(s, enc);
    return String::FromBytes(detail::Transcode(Effective(s.Encoding()), s.Bytes(), *enc.Data()), enc);
}

String EndOfLine() { return "\n"; }

}  // namespace fw
