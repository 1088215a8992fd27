#pragma once
// The benchmark formulas as a programmer would write them without the
// engine: a tight loop over the pixels in float maths, the palette index
// computed inline with the start-up scale (-Pi..Pi, wrapping above), one
// thread. Compiled -O3 for the build machine.

#include <cstdint>

namespace vorla::bench {

enum class Formula { kE1, kE2, kE3, kE4, kStartUp };

// Fills side x side indices for x and y over [-3 Pi, 3 Pi].
void HandWrittenPicture(Formula formula, int side, std::uint8_t* picture);

}  // namespace vorla::bench
