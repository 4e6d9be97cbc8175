#include "TextUtilitiesSubset.h"

#include "framework/Exceptions.h"

namespace TextUtilitiesSubset {

fw::TextEncoding SystemEncoding() {
    if (mSystemEncoding.IsNil()) {
        mSystemEncoding = fw::GetFontTextEncoding("System");
        if (mSystemEncoding.IsNil()) mSystemEncoding = fw::GetTextEncoding(0, 0, 0);
    }
    return mSystemEncoding;
}

fw::TextEncoding GuessEncodingOrDefault(const fw::String& s) {
    if (fw::TextEncoding japanese = fw::GuessJapaneseEncoding(s); !japanese.IsNil()) return japanese;
    return SystemEncoding();
}

fw::String ConvertText(const fw::String& s, fw::TextEncoding encoding) {
    return fw::NonNil(fw::GetTextConverter(GuessEncodingOrDefault(s), encoding))->convert(s);
}

}  // namespace TextUtilitiesSubset
