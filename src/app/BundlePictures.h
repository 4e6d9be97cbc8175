#pragma once

// The pictures that ship in the application's Resources folder. Each is read
// once, on first use, and kept until the program ends; while its file cannot
// be read the answer is Nil and the next call looks again.

#include "framework/Picture.h"

fw::PicturePtr icon72();
fw::PicturePtr iconMask72();
fw::PicturePtr smallblacklogo();

// The application icon: icon72 shaped by iconMask72, at icon72's size.
// Raises fw::NilObjectException when icon72 cannot be had.
fw::PicturePtr buildMaskedIcon();

// Forgets the pictures read so far, so that the next use reads them again.
void forgetBundlePictures();

