#pragma once

// Text encodings, the encodings table and converters between encodings.
//
// A TextEncoding is a small handle on a table that lives for the whole run:
// copying it is free and two handles on the same encoding compare equal.
// A default-constructed handle is Nil (no encoding).

#include <memory>
#include <string>

namespace fw {

class String;
struct EncodingData;

class TextEncoding {
public:
    TextEncoding() = default;
    explicit TextEncoding(const EncodingData* data) : d_(data) {}

    bool IsNil() const { return d_ == nullptr; }
    explicit operator bool() const { return d_ != nullptr; }
    friend bool operator==(TextEncoding a, TextEncoding b) { return a.d_ == b.d_; }
    friend bool operator!=(TextEncoding a, TextEncoding b) { return a.d_ != b.d_; }

    // The name the code table shows, e.g. "MacRoman", "UTF-8", "ISOLatin9".
    String Name() const;
    // The IANA / internet name, e.g. "macintosh", "UTF-8", "ISO-8859-15".
    String InternetName() const;
    // The platform's numeric triple (TextEncodingBase, variant, format).
    int Base() const;
    int Variant() const;
    int Format() const;

    // The character of a code in this encoding. For UTF-8 the code is a
    // Unicode code point; for MacJapanese a code above 255 is a two-byte code
    // (lead byte * 256 + trail byte). A code that is no complete character of
    // the encoding (a lone lead byte) or that the encoding leaves unassigned
    // gives "".
    String Chr(int code) const;

    const EncodingData* Data() const { return d_; }

private:
    const EncodingData* d_ = nullptr;
};

// The encodings the program names.
namespace Encodings {
TextEncoding ASCII();
TextEncoding MacRoman();
TextEncoding MacJapanese();
TextEncoding MacIcelandic();
TextEncoding MacGreek();
TextEncoding MacCyrillic();
TextEncoding UTF8();
TextEncoding WindowsLatin1();
TextEncoding ISOLatin1();
TextEncoding ISOLatin9();
}  // namespace Encodings

// Mac OS text-encoding triple; (0, 0, 0) is MacRoman. Nil for an unknown base.
TextEncoding GetTextEncoding(int base, int variant = 0, int format = 0);

// The text encoding of a font. Only macOS reports one for its "System" font;
// elsewhere the answer is Nil and callers fall back to MacRoman.
TextEncoding GetFontTextEncoding(const String& fontName);

// A Japanese encoding recognised in the bytes of s, or Nil. Only text that
// carries no encoding of its own (or is already tagged Japanese) can be
// recognised: tagged text is known to be in its tag's encoding.
TextEncoding GuessJapaneseEncoding(const String& s);

class TextConverter {
public:
    TextConverter(TextEncoding source, TextEncoding destination)
        : source_(source), destination_(destination) {}
    TextEncoding Source() const { return source_; }
    TextEncoding Destination() const { return destination_; }

    // Converts s into the destination encoding. Text that carries an encoding
    // is read in its own encoding; text with no encoding is read as Source().
    // Characters the destination cannot hold become "?".
    String convert(const String& s) const;

private:
    TextEncoding source_;
    TextEncoding destination_;
};

// A converter between two encodings; nullptr when either is Nil.
std::shared_ptr<TextConverter> GetTextConverter(TextEncoding source, TextEncoding destination);

}  // namespace fw
