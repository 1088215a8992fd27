#pragma once
// Pure drawing helpers shared by the dialogs and image output: colour
// channels, the integer two-colour ramp, bit depths and seamless mirroring.

#include <cstdint>
#include <stdexcept>

#include "core/io/Bitmap.h"

namespace vorla {

// A bitmap whose pixel format a routine cannot work on; what() is "pf¿?bit"
// in Windows-1252.
class InvalidGraphicError : public std::runtime_error {
 public:
  InvalidGraphicError();
};

struct ColorBytes {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t high = 0;
};

// The four bytes of a colour, a system colour resolved first.
ColorBytes SplitColor(TColor color);

// A ramp of N integer steps from a start colour (step 0) to an end colour
// (step N); system colours are resolved when the ramp is made.
class TColGrad {
 public:
  TColGrad(TColor start, TColor end, std::uint16_t steps);

  // Per channel start + MulDiv(end - start, i, N); i is 0..N. A ramp of no
  // steps stays at its start colour.
  TColor ColorAt(int i) const;
  std::uint16_t Steps() const { return steps_; }

 private:
  std::uint8_t startRed_, startGreen_, startBlue_;
  int deltaRed_, deltaGreen_, deltaBlue_;
  std::uint16_t steps_;
};

// 1 for 8 bits, 2 for 15 and 16, 3 for 24, 4 for 32; InvalidGraphicError
// for any other depth.
int BytesPerPixel(const Bitmap& bitmap);

// Appends mirror images in place so the picture tiles without seams: a
// mirrored dimension n becomes 2n - 1, its last column or row being the axis.
// InvalidGraphicError (bitmap untouched) for a depth BytesPerPixel refuses.
void MirrorBitmap(Bitmap& bitmap, bool horizontal, bool vertical);

}  // namespace vorla
