#pragma once
// System colours: a colour value with the top bit set names one of the
// desktop's colours by number. The core resolves them through a table of
// fixed defaults; a desktop front end may overwrite entries with its own.

#include "core/io/Bitmap.h"

namespace vorla {

inline constexpr int kSystemColorCount = 31;

// The current colour of system colour number `index` (0..30); unknown
// numbers give black.
TColor SystemColor(int index);
void SetSystemColor(int index, TColor color);

// A system colour replaced by its current value; any other colour masked to
// its low 24 bits.
TColor ColorTo24Bits(TColor color);

}  // namespace vorla
