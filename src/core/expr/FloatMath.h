#pragma once
// Extended-precision arithmetic of the expression language with the faults a
// trapping floating-point unit would raise, detected from operands and results.

namespace vorla {

using TExtended = long double;

[[noreturn]] void RaiseInvalidOp();
[[noreturn]] void RaiseOverflow();

// Rounds to a 32-bit float. NaN is an invalid operation; an infinite value, or
// a finite one beyond the 32-bit range, is an overflow. Underflow is silent.
// Inline: every node of every pixel goes through it.
inline float ToSingle(TExtended value) {
  if (value != value) [[unlikely]]
    RaiseInvalidOp();
  const float single = static_cast<float>(value);
  if (single - single != 0) [[unlikely]]
    RaiseOverflow();
  return single;
}

// a / b: a nonzero a over 0 divides by zero, 0 / 0 is invalid.
TExtended Divide(TExtended a, TExtended b);

// a raised to b: b = 0 gives 1, 0 to a positive power 0, an integral b by
// repeated squaring (so negative bases work), otherwise exp(b ln a).
TExtended Power(TExtended a, TExtended b);

// Logarithms: 0 divides by zero, a negative argument is invalid.
TExtended Ln(TExtended x);
TExtended Log2(TExtended x);

}  // namespace vorla
