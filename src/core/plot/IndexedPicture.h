#pragma once
// Operations on the calculated 8-bit picture that need no evaluation: the
// palette refresh, the animation's index shift and the smoothing command.

#include <cstdint>

#include "core/io/Bitmap.h"

namespace vorla {

// The picture takes the new palette; its indices stay. An empty picture is
// left alone.
void RefreshPalette(Bitmap& picture, const Palette& palette);

// Moves every index above 3 by delta within the 252-index cycle 4..255
// (255 + 1 is 4); 0..3 stay. Returns the shift actually applied, 0..251, for
// the caller's running offset. 252 shifts by 1 give the picture back.
int ShiftIndices(Bitmap& picture, int delta);

// Adds a shift to the animation's running offset the same way indices move.
std::uint8_t AdvanceOffset(std::uint8_t offset, int shift);

// In place, from the bottom-right inner pixel up to the top-left one: each
// inner pixel becomes the mean of its eight neighbours' gradient levels, so
// neighbours below and to the right count already smoothed.
void SmoothPicture(Bitmap& picture);

}  // namespace vorla
