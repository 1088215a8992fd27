#pragma once
// Elementary functions over runs of floats: computed in double precision
// and rounded once to float, in the widest SIMD the processor offers. The
// one-value forms run the same code on one lane, so a value is the same
// bit for bit whichever way it was computed. A result beyond the float range
// comes out infinite, an argument outside the domain (the logarithm of 0 or
// less) gives NaN, and NaN gives NaN. Runs follow RowKernels.h's rules on
// length and alignment.

#include <cstddef>

namespace vorla {

// kSec, kCosec and kCotan are 1/cos, 1/sin and cos/sin in double: infinite
// where the divisor is 0.
enum class UnaryMath { kSin, kCos, kTan, kSec, kCosec, kCotan, kExp, kLn };
// kAtan2(a, b) is the angle of the point (b, a); kHypot(a, b) its distance
// from the origin.
enum class BinaryMath { kHypot, kAtan2 };

void MathRun(UnaryMath f, const float* x, float* out, std::size_t n);
// The same, a result beyond the float range failing (NaN) as in a row program.
void CheckedMathRun(UnaryMath f, const float* x, float* out, std::size_t n);
void MathRun(BinaryMath f, const float* a, const float* b, float* out, std::size_t n);
float MathOf(UnaryMath f, float x);
float MathOf(BinaryMath f, float a, float b);

}  // namespace vorla
