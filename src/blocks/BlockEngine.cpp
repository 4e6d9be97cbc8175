#include "BlockEngine.h"

#include "framework/Runtime.h"

#include <array>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>

using namespace fw;

namespace BlockEngine {

const char* const kDecimalMessage =
    "Input block of ASCII codes must contain integers (max 3 digits) separated by single spaces only.";
const char* const kHexMessage = "Input block of hex codes can only contain valid hex numbers! (0 thru F).";
const char* const kBinaryMessage = "Input block of binary codes can only contain zeros and ones (0 and 1).";

namespace {

// The loops hand the event loop a turn now and then; the framework's yield
// looks at the clock only every so often itself, so this is cheap.
class Yielder {
public:
    void operator()() {
        if ((++passes_ & 1023u) == 0) YieldToScheduler();
    }

private:
    unsigned passes_ = 0;
};

// One code's piece of an output, copied with one fixed-size move.
struct Piece {
    char bytes[16];
    uint32_t length;
};

Piece MakePiece(std::string_view text) {
    Piece p{};
    p.length = uint32_t(std::min(text.size(), sizeof p.bytes));
    std::memcpy(p.bytes, text.data(), p.length);
    return p;
}

std::string DecimalDigits(uint32_t code) { return std::to_string(code); }

std::string HexDigits(uint32_t code) {
    std::string h = Hex(int64_t(code)).Bytes();
    if (h.size() < 2) h.insert(0, 2 - h.size(), '0');
    return h;
}

Piece DecimalPiece(uint32_t code, bool html) {
    return MakePiece(html ? "&#" + DecimalDigits(code) + ";" : DecimalDigits(code) + " ");
}

Piece HexPiece(uint32_t code, bool html) { return MakePiece(html ? "%" + HexDigits(code) : HexDigits(code) + " "); }

// The grouped binary form of the code's last two hexadecimal digits.
Piece BinaryPiece(uint32_t code) {
    std::string groups;
    for (int bit = 7; bit >= 0; --bit) {
        groups += ((code >> bit) & 1u) ? '1' : '0';
        if (bit == 4) groups += ' ';
    }
    return MakePiece(groups + " ");
}

struct PieceTables {
    std::array<Piece, 256> decimal, hex, binary;
};

PieceTables MakeTables(bool html) {
    PieceTables t;
    for (uint32_t c = 0; c < 256; ++c) {
        t.decimal[c] = DecimalPiece(c, html);
        t.hex[c] = HexPiece(c, html);
        t.binary[c] = BinaryPiece(c);
    }
    return t;
}

const PieceTables& Tables(bool html) {
    static const PieceTables plain = MakeTables(false);
    static const PieceTables htmlForm = MakeTables(true);
    return html ? htmlForm : plain;
}

// Codes of characters as Asc gives them.
template <class C>
uint32_t CodeOf(C c) {
    if constexpr (sizeof(C) == 1)
        return uint8_t(c);
    else
        return uint32_t(c);
}

// The text of codes: MacRoman while every code is one; otherwise UTF-8 with
// the codes up to 255 as the MacRoman characters they stand for.
String TextOfCodes(std::u32string_view codes) {
    bool wide = false;
    for (char32_t c : codes) wide |= c > 255;
    if (!wide) {
        std::string bytes(codes.size(), '\0');
        for (size_t i = 0; i < codes.size(); ++i) bytes[i] = char(uint8_t(codes[i]));
        return String::FromBytes(std::move(bytes), Encodings::MacRoman());
    }
    static const std::array<std::string, 256> small = [] {
        std::array<std::string, 256> t;
        for (int c = 0; c < 256; ++c) t[size_t(c)] = ConvertEncoding(Chr(c), Encodings::UTF8()).Bytes();
        return t;
    }();
    std::string utf8;
    utf8.reserve(codes.size() * 2);
    for (char32_t c : codes) utf8 += c < 256 ? small[c] : Encodings::UTF8().Chr(int(c)).Bytes();
    return String::FromBytes(std::move(utf8), Encodings::UTF8());
}

// ---- Wrapping ----

template <class C>
bool IsWhite(C c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The plain rule breaks at a blank in columns 90-105 (else at 105), the HTML
// rule before "&" or "%" in columns 80-95 (else at 90).
constexpr size_t Minimum(bool htmlRule) { return htmlRule ? 81 : 91; }
// A pass looks at no column past this one.
constexpr size_t kLastColumn = 105;

// One pass of the wrapping loop over rest, whose length is measured: appends
// the trimmed line it cuts, a blank and a return, and gives how many
// characters of rest the line used.
template <class C, class Out>
size_t CutLine(const C* rest, size_t measured, bool htmlRule, Out& out) {
    const size_t first = htmlRule ? 80 : 90, last = std::min(htmlRule ? size_t(95) : kLastColumn, measured);
    size_t p = htmlRule ? 90 : kLastColumn;
    for (size_t col = first; col <= last; ++col) {
        const C c = rest[col - 1];
        if (c == ' ' ? !htmlRule : htmlRule && (c == '&' || c == '%')) {
            p = col;
            break;
        }
    }
    const size_t take = std::min(p - 1, measured);
    size_t from = 0, to = take;
    while (from < to && IsWhite(rest[from])) ++from;
    while (to > from && IsWhite(rest[to - 1])) --to;
    static constexpr C kEnd[] = {C(' '), C('\r')};
    out.append(rest + from, to - from);
    out.append(kEnd, 2);
    return take;
}

// The wrapping loop from a remainder on. The loop tests the length measured
// at the start of the pass before (at first, the whole text's), so one pass
// more runs after the one that leaves a short remainder.
template <class C>
void WrapRest(const C* rest, size_t size, size_t measured, bool htmlRule, std::basic_string<C>& out,
              Yielder& yield) {
    size_t pos = 0;
    while (measured >= Minimum(htmlRule)) {
        measured = size - pos;
        pos += CutLine(rest + pos, measured, htmlRule, out);
        yield();
    }
    out.append(rest + pos, size - pos);
}

template <class C>
std::basic_string<C> WrapUnits(std::basic_string_view<C> s, bool htmlRule, Yielder& yield) {
    std::basic_string<C> out;
    out.reserve(s.size() + s.size() / 32 + 8);
    WrapRest(s.data(), s.size(), s.size(), htmlRule, out, yield);
    return out;
}

// A code list wrapped as its pieces come: lines are cut from a small pending
// buffer as soon as enough follows them to decide their break, so the
// unwrapped list never exists whole. Gives what wrapping the finished list
// (without its last blank) gives.
class WrappedList {
public:
    WrappedList(size_t expected, bool htmlRule, Yielder& yield) : htmlRule_(htmlRule), yield_(yield) {
        out_.reserve(expected + expected / 40 + 16);
        pending_.resize(kChunk + (kBatch + 2) * sizeof(Piece::bytes) + kLastColumn);
    }

    void Put(const Piece& p) {
        std::memcpy(pending_.data() + used_, p.bytes, sizeof p.bytes);
        used_ += p.length;
        if (used_ >= kChunk) Drain();
    }

    // Room for the pieces of up to kBatch codes, written straight in by the
    // caller, who hands back where they end.
    static constexpr size_t kBatch = 1024;
    char* Room() { return pending_.data() + used_; }
    void Commit(const char* end) {
        used_ = size_t(end - pending_.data());
        if (used_ >= kChunk) Drain();
    }

    String Finish() {
        while (used_ > 0 && pending_[used_ - 1] == ' ') --used_;
        const char* rest = pending_.data();
        if (!cut_ && used_ <= 100)
            out_.append(rest, used_);
        else
            WrapRest(rest, used_, cut_ ? measured_ : used_, htmlRule_, out_, yield_);
        return String::FromBytes(std::move(out_), Encodings::MacRoman());
    }

private:
    static constexpr size_t kChunk = 1 << 15;

    // Cuts every line whose break is decided: one whose remainder reaches past
    // the last column a pass looks at, so what follows cannot change it.
    void Drain() {
        size_t head = 0;
        while (used_ - head > kLastColumn) {
            measured_ = used_ - head;
            head += CutLine(pending_.data() + head, measured_, htmlRule_, out_);
            cut_ = true;
            yield_();
        }
        std::memmove(pending_.data(), pending_.data() + head, used_ - head);
        used_ -= head;
    }

    bool htmlRule_;
    Yielder& yield_;
    std::string out_;
    std::string pending_;
    size_t used_ = 0;
    size_t measured_ = 0;
    bool cut_ = false;
};

// The code lists of one block, each wrapped as it grows: the decimal,
// hexadecimal and binary pieces of each code, the small codes from the tables.
class Lists {
public:
    // Room is kept for the lists that will be written: decimal, hex, binary.
    Lists(size_t codes, bool html, bool decimal, bool hex, Yielder& yield)
        : t_(Tables(html)), html_(html), decimal_(decimal ? codes * (html ? 6 : 4) : 0, html, yield),
          hex_(hex ? codes * 3 : 0, html, yield), binary_(codes * 10, false, yield) {}

    void Decimal(uint32_t c) { decimal_.Put(c < 256 ? t_.decimal[c] : DecimalPiece(c, html_)); }
    void Hex(uint32_t c) { hex_.Put(c < 256 ? t_.hex[c] : HexPiece(c, html_)); }
    void Binary(uint32_t c) { binary_.Put(t_.binary[c & 0xFF]); }

    // The three lists of a run of codes, written in one pass.
    template <class C>
    void All(const C* codes, size_t count) {
        char* d = decimal_.Room();
        char* h = hex_.Room();
        char* b = binary_.Room();
        for (size_t i = 0; i < count; ++i) {
            const uint32_t c = CodeOf(codes[i]);
            const Piece& dp = c < 256 ? t_.decimal[c] : (wide_ = DecimalPiece(c, html_));
            std::memcpy(d, dp.bytes, sizeof dp.bytes);
            d += dp.length;
            const Piece& hp = c < 256 ? t_.hex[c] : (wide_ = HexPiece(c, html_));
            std::memcpy(h, hp.bytes, sizeof hp.bytes);
            h += hp.length;
            std::memcpy(b, t_.binary[c & 0xFF].bytes, sizeof(Piece::bytes));
            b += t_.binary[c & 0xFF].length;
        }
        decimal_.Commit(d);
        hex_.Commit(h);
        binary_.Commit(b);
    }

    String DecimalList() { return decimal_.Finish(); }
    String HexList() { return hex_.Finish(); }
    String BinaryList() { return binary_.Finish(); }

private:
    const PieceTables& t_;
    bool html_;
    Piece wide_{};
    WrappedList decimal_, hex_, binary_;
};

bool UsesHTMLRule(const String& kind, bool showHTML) { return showHTML && kind != "T" && kind != "B"; }

// A text that already has more lines than one per 80 characters keeps them.
template <class C>
bool KeepsItsLines(std::basic_string_view<C> s) {
    size_t lines = s.empty() ? 0 : 1;
    for (C c : s) lines += c == '\r';
    return double(s.size()) / 80.0 < double(lines);
}

bool IsByteText(const String& s) {
    const TextEncoding enc = s.Encoding();
    if (enc.IsNil() || enc == Encodings::MacRoman()) return true;
    for (char b : s.Bytes())
        if (uint8_t(b) >= 0x80) return false;
    return true;
}

// The codes of a text's characters as Asc gives them.
std::u32string CodesOf(const String& s) {
    const int n = Len(s);
    std::u32string codes;
    codes.reserve(size_t(n));
    for (int i = 1; i <= n; ++i) codes.push_back(char32_t(s.CodeAt(i)));
    return codes;
}

std::string EncodeUTF8(std::u32string_view codes) {
    std::string utf8;
    utf8.reserve(codes.size() * 2);
    for (char32_t c : codes) utf8 += Encodings::UTF8().Chr(int(c)).Bytes();
    return utf8;
}

String Rewrap(const String& s, const String& kind, bool showHTML, Yielder& yield) {
    const bool htmlRule = UsesHTMLRule(kind, showHTML);
    const bool text = kind == "T";
    if (IsByteText(s)) {
        const std::string_view units = s.Bytes();
        if (units.size() <= 100 || (text && KeepsItsLines(units))) return s;
        return String::FromBytes(WrapUnits(units, htmlRule, yield), s.Encoding());
    }
    // Columns count characters: wrap the text's characters, not its bytes,
    // as the framework reads them (a stray byte is one character).
    const std::u32string chars = CodesOf(ConvertEncoding(s, Encodings::UTF8()));
    const std::u32string_view units = chars;
    if (units.size() <= 100 || (text && KeepsItsLines(units))) return s;
    return String::FromBytes(EncodeUTF8(WrapUnits(units, htmlRule, yield)), Encodings::UTF8());
}

// ---- The four forms ----

class Converter {
public:
    Converter(bool html, Progress* progress) : html_(html), progress_(progress) {}

    template <class C>
    std::optional<Outputs> Run(std::basic_string_view<C> block, int form) {
        switch (form) {
            case kText: return Text(block);
            case kDecimal: return Decimal(block);
            case kHexadecimal: return Groups<2>(block);
            case kBinary: return Groups<8>(block);
            default: return std::nullopt;
        }
    }

private:
    template <class C>
    Outputs Text(std::basic_string_view<C> block) {
        const size_t n = block.size();
        Lists lists(n, html_, true, true, yield_);
        for (size_t done = 0; done < n; done += WrappedList::kBatch) {
            const size_t count = std::min(WrappedList::kBatch, n - done);
            lists.All(block.data() + done, count);
            for (size_t i = (done / 237 + 1) * 237; i <= done + count; i += 237) Count(i, " characters");
            YieldToScheduler();
        }
        if (n > kProgressLength) {
            Label(Str(int64_t(n + 1)) + " characters");
            Label("Rewrapping output\u2026");
        }
        return Shown(lists.DecimalList(), lists.HexList(), lists.BinaryList());
    }

    template <class C>
    std::optional<Outputs> Decimal(std::basic_string_view<C> block) {
        // Line breaks go; each blank then ends a field, so two blanks in a
        // row, or one at either end, make an empty field (code 0).
        std::u32string text;
        text.reserve(block.size() / 2 + 1);
        size_t fields = 0;
        bool any = false;
        uint32_t value = 0;
        size_t digits = 0;
        bool bad = false;
        auto endField = [&] {
            ++fields;
            if (digits > 3 || bad) return false;
            text.push_back(char32_t(value));
            if (fields % 237 == 0) Count(fields, " decimal ASCII codes");
            yield_();
            value = 0;
            digits = 0;
            return true;
        };
        for (const C ch : block) {
            if (ch == '\r') continue;
            any = true;
            if (ch == ' ') {
                if (!endField()) return Invalid(kDecimalMessage);
                continue;
            }
            ++digits;
            if (ch >= '0' && ch <= '9') {
                if (digits <= 3) value = value * 10 + uint32_t(ch - '0');
            } else {
                bad = true;
            }
        }
        if (any && !endField()) return Invalid(kDecimalMessage);
        if (block.size() > kProgressLength) Label(Str(int64_t(fields + 1)) + " decimal ASCII codes");

        const size_t m = text.size();
        Lists lists(m, html_, false, true, yield_);
        for (size_t i = 1; i <= m; ++i) {
            lists.Hex(text[i - 1]);
            lists.Binary(text[i - 1]);
            if (i % 237 == 0) Count(i, " decimal ASCII codes (step 2)");
            yield_();
        }
        if (m > kProgressLength) {
            Label(Str(int64_t(m + 1)) + " decimal ASCII codes (step 2)");
            Label("Rewrapping output\u2026");
        }
        return Shown(Wrapped(text), lists.HexList(), lists.BinaryList());
    }

    // The hexadecimal (width 2) and binary (width 8) forms: line breaks and
    // blanks go, then the digits are read in groups of the width; a short
    // last group is read as it stands.
    template <size_t width, class C>
    std::optional<Outputs> Groups(std::basic_string_view<C> block) {
        constexpr bool hex = width == 2;
        std::basic_string<C> digits;
        digits.reserve(block.size());
        for (const C ch : block)
            if (ch != '\r') digits.push_back(ch);
        size_t from = 0, to = digits.size();
        while (from < to && IsWhite(digits[from])) ++from;
        while (to > from && IsWhite(digits[to - 1])) --to;
        size_t kept = 0;
        for (size_t k = from; k < to; ++k)
            if (digits[k] != ' ') digits[kept++] = digits[k];
        digits.resize(kept);

        const size_t len = digits.size();
        Lists lists((len + width - 1) / width, html_, true, !hex, yield_);
        std::u32string text;
        text.reserve(len / width + 1);
        size_t i = 1;
        for (; i <= len; i += width) {
            uint32_t v = 0;
            for (size_t k = i - 1; k < std::min(i - 1 + width, len); ++k) {
                const int d = hex ? HexDigit(digits[k]) : (digits[k] == '0' ? 0 : digits[k] == '1' ? 1 : -1);
                if (d < 0) return Invalid(hex ? kHexMessage : kBinaryMessage);
                v = v * (hex ? 16 : 2) + uint32_t(d);
            }
            lists.Decimal(v);
            if constexpr (hex)
                lists.Binary(v);
            else
                lists.Hex(v);
            text.push_back(char32_t(v));
            if (progress_ && (hex ? i % 237 == 0 : (i - 1) % 96 == 0)) progress_->Count(GroupCount(i, width));
            yield_();
        }
        if (len > kProgressLength) {
            Label(GroupCount(i, width));
            Label("Rewrapping output\u2026");
        }
        if constexpr (hex) return Shown(lists.DecimalList(), Wrapped(text), lists.BinaryList());
        return Shown(lists.DecimalList(), lists.HexList(), Wrapped(text));
    }

    template <class C>
    static int HexDigit(C ch) {
        if (ch >= '0' && ch <= '9') return int(ch - '0');
        if (ch >= 'A' && ch <= 'F') return int(ch - 'A') + 10;
        if (ch >= 'a' && ch <= 'f') return int(ch - 'a') + 10;
        return -1;
    }

    // Digit position i counted in codes: a half or an eighth, rounded.
    static String GroupCount(size_t i, size_t width) {
        return Format(double(i) / double(width), "#") + (width == 2 ? " hexadecimal codes" : " binary codes");
    }

    String Wrapped(std::u32string_view text) { return Rewrap(TextOfCodes(text), "T", html_, yield_); }

    static Outputs Shown(String a, String b, String c) {
        Outputs out;
        out.area[0] = std::move(a);
        out.area[1] = std::move(b);
        out.area[2] = std::move(c);
        return out;
    }

    static Outputs Invalid(const char* message) {
        Outputs out;
        out.invalid = true;
        for (String& area : out.area) area = message;
        return out;
    }

    // The label is built only when someone listens: the loops count often.
    void Count(size_t n, const char* what) {
        if (progress_) progress_->Count(Str(int64_t(n)) + what);
    }
    void Label(const String& label) {
        if (progress_) progress_->Label(label);
    }

    bool html_;
    Progress* progress_;
    Yielder yield_;
};

}  // namespace

std::optional<Outputs> convert(const String& block, int form, bool showHTML, Progress* progress) {
    Converter converter(showHTML, progress);
    const TextEncoding enc = block.Encoding();
    if (enc.IsNil() || enc == Encodings::MacRoman())
        return converter.Run(std::string_view(block.Bytes()), form);
    // Text in another encoding: its characters' codes as Asc gives them.
    return converter.Run(std::u32string_view(CodesOf(block)), form);
}

uint64_t bytesNeeded(uint64_t n, int form, bool showHTML) {
    // Per code: its decimal (up to "255 ", or "&#255;"), hexadecimal ("FF ")
    // and binary ("1111 1111 ") pieces, the text's character with its 32-bit
    // code, a few per cent for line ends, and the view's index of the lines.
    const uint64_t decimal = showHTML ? 6 : 4, lineShare = 4;
    switch (form) {
        case kText: return n * (decimal + 3 + 10 + lineShare);
        // Every code takes at least two characters of a decimal list ("7 ").
        case kDecimal: return (n / 2 + 1) * (1 + 4 + 3 + 10 + lineShare);
        // The lists' digits are copied once before they are read.
        case kHexadecimal: return n + (n / 2 + 1) * (decimal + 1 + 4 + 10 + lineShare);
        case kBinary: return n + (n / 8 + 1) * (decimal + 3 + 1 + 4 + lineShare);
        default: return 0;
    }
}

String rewrap(const String& s, const String& kind, bool showHTML) {
    Yielder yield;
    return Rewrap(s, kind, showHTML, yield);
}

}  // namespace BlockEngine
