#pragma once

#include "framework/String.h"

// Names shown instead of the character for the codes 0 to 32, by the
// converter window and the code table; 28 to 31 are the arrow keys.
extern const fw::String controlCharNames[33];
