#pragma once

// Converting typed, pasted and dropped text into the system's 8-bit encoding
// before its codes are taken, so that a code means the same for every input.

#include "framework/String.h"
#include "framework/TextEncoding.h"

namespace TextUtilitiesSubset {
// The system encoding, looked up once.
inline fw::TextEncoding mSystemEncoding;

// The system font's encoding, or MacRoman when it reports none.
fw::TextEncoding SystemEncoding();
// A Japanese encoding recognised in s, else the system encoding.
fw::TextEncoding GuessEncodingOrDefault(const fw::String& s);
// s converted into encoding.
fw::String ConvertText(const fw::String& s, fw::TextEncoding encoding);
}  // namespace TextUtilitiesSubset
