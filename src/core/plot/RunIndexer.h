#pragma once
// The palette indices of a run of values against one scale in SIMD, equal
// to LevelScale::Index lane by lane, for runs where the pixel loop's order
// does not matter.

#include <cstddef>
#include <cstdint>

#include "core/plot/LevelScale.h"
#include "core/plot/PictureCalculation.h"

namespace vorla {

struct IndexedRun {
  bool found = false;  // some value did not fail
  float min = 0;       // of the values that did not fail, the filtered ones too
  float max = 0;
  bool scaled = false;  // some value passed the filters and read the scale
  bool failed = false;  // some value failed (NaN): its index is 0
};

// Writes n indices for the values z; false, with indices and run undefined,
// where the pixels must go one by one: a level beyond 32 bits, a scale wider
// than a float, or a smallest or largest value of zero, which the scan order
// decides between 0 and -0.
bool IndexRun(const float* z, std::size_t n, const LevelScale& scale, const IndexSettings& settings,
              std::uint8_t* indices, IndexedRun& run);

// Whether the n values are the same, bit for bit.
bool UniformRun(const float* values, std::size_t n);

}  // namespace vorla
