#include "core/expr/VectorMath.h"

#include <cmath>

#include "core/expr/RowKernels.h"

#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "core/expr/VectorMath.cpp"
#include "hwy/foreach_target.h"  // before highway.h
#include "hwy/highway.h"
#include "hwy/contrib/math/math-inl.h"

HWY_BEFORE_NAMESPACE();
namespace vorla {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

using DD = hn::ScalableTag<double>;
using DF = hn::Rebind<float, DD>;  // as many floats as doubles
using VD = hn::Vec<DD>;

// The trigonometric kernels reduce their argument for |x| up to this only;
// beyond it the lane takes the library's double function.
constexpr double kTrigLimit = 39000;
// Beyond this exp overflows any float, and the kernel is valid no further.
constexpr double kExpLimit = 700;

VD Nan(DD d) { return hn::Set(d, __builtin_nan("")); }

// A failed lane (NaN) stays failed whatever the kernel makes of NaN: the
// exponential's gives 0.
// Checked: a result beyond the float range fails too, as row programs take it.
template <bool kChecked>
hn::Vec<DF> Rounded(VD v) {
  const DF df;
  const auto single = hn::DemoteTo(df, v);
  if constexpr (kChecked) return hn::IfThenElse(hn::IsFinite(single), single, hn::Set(df, __builtin_nanf("")));
  return single;
}

template <bool kChecked, class F>
void Unary(const float* x, float* out, std::size_t n, F f) {
  const DD dd;
  const DF df;
  for (std::size_t i = 0; i < n; i += hn::Lanes(dd)) {
    const VD v = hn::PromoteTo(dd, hn::LoadU(df, x + i));
    hn::StoreU(Rounded<kChecked>(hn::IfThenElse(hn::IsNaN(v), v, f(dd, v))), df, out + i);
  }
}

template <class F>
void Binary(const float* a, const float* b, float* out, std::size_t n, F f) {
  const DD dd;
  const DF df;
  for (std::size_t i = 0; i < n; i += hn::Lanes(dd)) {
    const VD va = hn::PromoteTo(dd, hn::LoadU(df, a + i));
    const VD vb = hn::PromoteTo(dd, hn::LoadU(df, b + i));
    const auto failed = hn::Or(hn::IsNaN(va), hn::IsNaN(vb));
    hn::StoreU(hn::DemoteTo(df, hn::IfThenElse(failed, Nan(dd), f(dd, va, vb))), df, out + i);
  }
}

// Lanes beyond the kernel's range take `scalar`, in a second pass.
template <bool kChecked, class F>
void Trigonometric(const float* x, float* out, std::size_t n, F f, double (*scalar)(double)) {
  Unary<kChecked>(x, out, n, f);
  const DF df;
  for (std::size_t i = 0; i < n; i += hn::Lanes(df)) {
    const auto v = hn::LoadU(df, x + i);
    if (hn::AllFalse(df, hn::Gt(hn::Abs(v), hn::Set(df, static_cast<float>(kTrigLimit))))) continue;
    for (std::size_t j = i; j < i + hn::Lanes(df); ++j)
      if (std::fabs(x[j]) > static_cast<float>(kTrigLimit)) {
        out[j] = static_cast<float>(scalar(static_cast<double>(x[j])));
        if (kChecked && !std::isfinite(out[j])) out[j] = __builtin_nanf("");
      }
  }
}

template <bool kChecked>
void UnaryOf(UnaryMath f, const float* x, float* out, std::size_t n) {
  switch (f) {
    case UnaryMath::kSin:
      return Trigonometric<kChecked>(
          x, out, n, [](DD d, VD v) { return hn::Sin(d, v); }, [](double v) { return std::sin(v); });
    case UnaryMath::kCos:
      return Trigonometric<kChecked>(
          x, out, n, [](DD d, VD v) { return hn::Cos(d, v); }, [](double v) { return std::cos(v); });
    case UnaryMath::kTan:
      return Trigonometric<kChecked>(
          x, out, n, [](DD d, VD v) { return hn::Div(hn::Sin(d, v), hn::Cos(d, v)); },
          [](double v) { return std::sin(v) / std::cos(v); });
    case UnaryMath::kSec:
      return Trigonometric<kChecked>(
          x, out, n, [](DD d, VD v) { return hn::Div(hn::Set(d, 1.0), hn::Cos(d, v)); },
          [](double v) { return 1 / std::cos(v); });
    case UnaryMath::kCosec:
      return Trigonometric<kChecked>(
          x, out, n, [](DD d, VD v) { return hn::Div(hn::Set(d, 1.0), hn::Sin(d, v)); },
          [](double v) { return 1 / std::sin(v); });
    case UnaryMath::kCotan:
      return Trigonometric<kChecked>(
          x, out, n, [](DD d, VD v) { return hn::Div(hn::Cos(d, v), hn::Sin(d, v)); },
          [](double v) { return std::cos(v) / std::sin(v); });
    case UnaryMath::kExp:
      return Unary<kChecked>(x, out, n, [](DD d, VD v) {
        const auto over = hn::Gt(v, hn::Set(d, kExpLimit));
        return hn::IfThenElse(over, hn::Set(d, HUGE_VAL), hn::Exp(d, hn::IfThenElseZero(hn::Not(over), v)));
      });
    case UnaryMath::kLn:
      return Unary<kChecked>(x, out, n, [](DD d, VD v) {
        const auto inDomain = hn::Gt(v, hn::Zero(d));
        return hn::IfThenElse(inDomain, hn::Log(d, hn::IfThenElse(inDomain, v, hn::Set(d, 1.0))), Nan(d));
      });
  }
}

void UnaryImpl(UnaryMath f, const float* x, float* out, std::size_t n) { UnaryOf<false>(f, x, out, n); }
void CheckedUnaryImpl(UnaryMath f, const float* x, float* out, std::size_t n) { UnaryOf<true>(f, x, out, n); }

// The angle of (x, y) from atan(y / x) and the quadrant; atan2(0, 0) is 0.
VD Atan2(DD d, VD y, VD x) {
  const VD pi = hn::Set(d, 3.14159265358979323846);
  const VD zero = hn::Zero(d);
  const auto xZero = hn::Eq(x, zero);
  const VD q = hn::Atan(d, hn::Div(y, hn::IfThenElse(xZero, hn::Set(d, 1.0), x)));
  const VD turned = hn::IfThenElse(hn::Ge(y, zero), hn::Add(q, pi), hn::Sub(q, pi));
  const VD offAxis = hn::IfThenElse(hn::Lt(x, zero), turned, q);
  const VD halfPi = hn::Set(d, 1.57079632679489661923);
  const VD onAxis =
      hn::IfThenElse(hn::Gt(y, zero), halfPi, hn::IfThenElse(hn::Lt(y, zero), hn::Neg(halfPi), zero));
  const VD angle = hn::IfThenElse(xZero, onAxis, offAxis);
  return hn::IfThenElse(hn::Or(hn::IsNaN(x), hn::IsNaN(y)), Nan(d), angle);
}

void BinaryImpl(BinaryMath f, const float* a, const float* b, float* out, std::size_t n) {
  switch (f) {
    case BinaryMath::kHypot:
      // Squares of floats are exact in double and their sum cannot overflow.
      return Binary(a, b, out, n, [](DD, VD x, VD y) { return hn::Sqrt(hn::MulAdd(x, x, hn::Mul(y, y))); });
    case BinaryMath::kAtan2:
      return Binary(a, b, out, n, [](DD d, VD y, VD x) { return Atan2(d, y, x); });
  }
}

}  // namespace HWY_NAMESPACE
}  // namespace vorla
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace vorla {

HWY_EXPORT(UnaryImpl);
HWY_EXPORT(CheckedUnaryImpl);
HWY_EXPORT(BinaryImpl);

void MathRun(UnaryMath f, const float* x, float* out, std::size_t n) {
  HWY_DYNAMIC_DISPATCH(UnaryImpl)(f, x, out, n);
}

void CheckedMathRun(UnaryMath f, const float* x, float* out, std::size_t n) {
  HWY_DYNAMIC_DISPATCH(CheckedUnaryImpl)(f, x, out, n);
}

void MathRun(BinaryMath f, const float* a, const float* b, float* out, std::size_t n) {
  HWY_DYNAMIC_DISPATCH(BinaryImpl)(f, a, b, out, n);
}

float MathOf(UnaryMath f, float x) {
  alignas(4 * kRunAlignment) float in[kRunAlignment] = {x};
  alignas(4 * kRunAlignment) float out[kRunAlignment];
  MathRun(f, in, out, 1);
  return out[0];
}

float MathOf(BinaryMath f, float a, float b) {
  alignas(4 * kRunAlignment) float inA[kRunAlignment] = {a};
  alignas(4 * kRunAlignment) float inB[kRunAlignment] = {b};
  alignas(4 * kRunAlignment) float out[kRunAlignment];
  MathRun(f, inA, inB, out, 1);
  return out[0];
}

}  // namespace vorla
#endif
