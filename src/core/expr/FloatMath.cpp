#include "core/expr/FloatMath.h"

#include <cfloat>
#include <cmath>

#include "core/expr/FloatErrors.h"

namespace vorla {

void RaiseInvalidOp() { throw EInvalidOp(); }
void RaiseOverflow() { throw EOverflow(); }

TExtended Divide(TExtended a, TExtended b) {
  if (b == 0) {
    if (a == 0 || std::isnan(a)) throw EInvalidOp();
    throw EZeroDivide();
  }
  return a / b;
}

namespace {

TExtended IntegerPower(TExtended base, long long exponent) {
  unsigned long long n = static_cast<unsigned long long>(exponent < 0 ? -exponent : exponent);
  TExtended result = 1;
  while (n != 0) {
    if (n & 1) result *= base;
    n >>= 1;
    if (n != 0) base *= base;
  }
  // An intermediate beyond the extended range is an overflow even when the
  // reciprocal would be tiny, as a trapping unit reports it.
  if (std::isinf(result)) throw EOverflow();
  return exponent < 0 ? Divide(1, result) : result;
}

TExtended Exp(TExtended x) {
  const TExtended result = std::exp(x);
  if (std::isinf(result)) throw EOverflow();
  return result;
}

}  // namespace

TExtended Power(TExtended a, TExtended b) {
  if (b == 0) return 1;
  if (a == 0 && b > 0) return 0;
  if (b == std::trunc(b) && std::fabs(b) <= 2147483647.0L)
    return IntegerPower(a, static_cast<long long>(b));
  return Exp(b * Ln(a));
}

TExtended Ln(TExtended x) {
  if (x == 0) throw EZeroDivide();
  if (x < 0 || std::isnan(x)) throw EInvalidOp();
  return std::log(x);
}

TExtended Log2(TExtended x) {
  if (x == 0) throw EZeroDivide();
  if (x < 0 || std::isnan(x)) throw EInvalidOp();
  return std::log2(x);
}

}  // namespace vorla
