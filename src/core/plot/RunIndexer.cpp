#include "core/plot/RunIndexer.h"

#include <algorithm>
#include <cmath>

#include "core/expr/RowProgram.h"

#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "core/plot/RunIndexer.cpp"
#include "hwy/foreach_target.h"  // before highway.h
#include "hwy/highway.h"

HWY_BEFORE_NAMESPACE();
namespace vorla {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

using DD = hn::ScalableTag<double>;
using DF = hn::Rebind<float, DD>;
using DI = hn::Rebind<std::int32_t, DD>;
using DU = hn::Rebind<std::uint8_t, DD>;
using VD = hn::Vec<DD>;

// x modulo m for the integers of a level (below 2^32 in magnitude), from a
// quotient by multiplication, which is off by at most one: corrected.
VD FloorMod(DD d, VD x, double m) {
  const VD vm = hn::Set(d, m);
  const VD r = hn::Sub(x, hn::Mul(vm, hn::Floor(hn::Mul(x, hn::Set(d, 1.0 / m)))));
  const VD up = hn::IfThenElse(hn::Lt(r, hn::Zero(d)), hn::Add(r, vm), r);
  return hn::IfThenElse(hn::Ge(up, vm), hn::Sub(up, vm), up);
}

// The same truncating towards zero, for x < 0: in (-m, 0].
VD TruncMod(DD d, VD x, double m) {
  const VD vm = hn::Set(d, m);
  const VD r = hn::Sub(x, hn::Mul(vm, hn::Trunc(hn::Mul(x, hn::Set(d, 1.0 / m)))));
  const VD down = hn::IfThenElse(hn::Gt(r, hn::Zero(d)), hn::Sub(r, vm), r);
  return hn::IfThenElse(hn::Le(down, hn::Neg(vm)), hn::Add(down, vm), down);
}

// round(diff / step), the quotient rounded to double first: diff times the
// reciprocal lies within 2 ulp of that quotient, so only where it lies that
// close to a half-integer is the quotient divided out.
VD Level(DD d, VD diff, VD step, VD reciprocal) {
  const VD q = hn::Mul(diff, reciprocal);
  const VD k = hn::Round(q);
  const VD fromHalf = hn::Abs(hn::Sub(hn::Abs(hn::Sub(q, k)), hn::Set(d, 0.5)));
  const auto close = hn::Le(fromHalf, hn::Mul(hn::Abs(q), hn::Set(d, 0x1p-49)));
  if (hn::AllFalse(d, close)) return k;
  return hn::IfThenElse(close, hn::Round(hn::Div(diff, step)), k);
}

// Whole vectors of the run; the rest of it is left to the caller. False
// where a lane needs a level beyond 32 bits.
bool IndexVectors(const float* z, std::size_t n, float zmin, float zmax, float step, bool narrow,
                  const IndexSettings& s, std::uint8_t* out, float* low, float* high, bool* scaled,
                  bool* failedLanes) {
  const DD d;
  const DF df;
  const DI di;
  const DU du;
  const std::size_t lanes = hn::Lanes(d);
  const VD minZ = hn::Set(d, zmin), maxZ = hn::Set(d, zmax), width = hn::Set(d, step);
  const VD reciprocal = hn::Set(d, 1.0 / static_cast<double>(step));
  const VD zero = hn::Zero(d);
  const auto infinity = hn::Set(df, __builtin_inff());
  auto lowest = hn::Set(df, *low), highest = hn::Set(df, *high);
  auto anyScaled = hn::FirstN(d, 0);
  auto anyOutOfRange = hn::FirstN(d, 0);
  auto anyFailed = hn::FirstN(df, 0);
  for (std::size_t i = 0; i + lanes <= n; i += lanes) {
    const auto zf = hn::LoadU(df, z + i);
    const auto failed = hn::IsNaN(zf);
    anyFailed = hn::Or(anyFailed, failed);
    lowest = hn::Min(lowest, hn::IfThenElse(failed, infinity, zf));
    highest = hn::Max(highest, hn::IfThenElse(failed, hn::Neg(infinity), zf));
    const VD v = hn::PromoteTo(d, zf);
    auto removed = hn::IsNaN(v);
    if (s.filterBelow) removed = hn::Or(removed, hn::Lt(v, hn::Set(d, s.filterMin)));
    if (s.filterAbove) removed = hn::Or(removed, hn::Gt(v, hn::Set(d, s.filterMax)));
    const auto below = hn::Not(hn::Ge(v, minZ));
    const auto above = hn::AndNot(below, hn::Gt(v, maxZ));
    const auto inside = hn::Not(hn::Or(below, above));
    const bool wrapBelow = s.wrapBelow && !narrow;
    const bool wrapAbove = s.wrapAbove && !narrow;
    const bool graded = s.gradient && !narrow;
    auto needsLevel = hn::FirstN(d, 0);
    if (wrapBelow) needsLevel = hn::Or(needsLevel, below);
    if (wrapAbove) needsLevel = hn::Or(needsLevel, above);
    if (graded) needsLevel = hn::Or(needsLevel, inside);
    needsLevel = hn::AndNot(removed, needsLevel);
    anyScaled = hn::Or(anyScaled, hn::Not(removed));
    VD index = hn::Set(d, 3);
    index = hn::IfThenElse(below, hn::Set(d, 1), index);
    index = hn::IfThenElse(above, hn::Set(d, 2), index);
    if (!hn::AllFalse(d, needsLevel)) {
      // Levels only where some lane needs one: the quotient is most of the work.
      const VD k = Level(d, hn::Sub(v, minZ), width, reciprocal);
      const VD limit = hn::Set(d, 2147483647.0);
      const auto outOfRange = hn::Or(hn::Gt(k, limit), hn::Lt(k, hn::Set(d, -2147483648.0)));
      anyOutOfRange = hn::Or(anyOutOfRange, hn::And(needsLevel, outOfRange));
      const auto levelled = hn::And(needsLevel, hn::Not(outOfRange));
      const auto wraps = hn::AndNot(inside, levelled);
      if (graded) {
        // Modulo 256 by an exact reciprocal.
        const VD shifted = hn::Add(k, hn::Set(d, 6));
        const VD level = hn::NegMulAdd(hn::Set(d, 256), hn::Floor(hn::Mul(shifted, hn::Set(d, 1.0 / 256))), shifted);
        index = hn::IfThenElse(hn::And(inside, levelled), level, index);
      }
      if (!hn::AllFalse(d, wraps))
        index = hn::IfThenElse(wraps, hn::IfThenElse(hn::Ge(k, zero), hn::Add(FloorMod(d, k, 250), hn::Set(d, 6)),
                                                     hn::Add(TruncMod(d, k, 250), hn::Set(d, 255))),
                               index);
    }
    index = hn::IfThenElseZero(hn::Not(removed), index);
    hn::StoreU(hn::DemoteTo(du, hn::DemoteTo(di, index)), du, out + i);
  }
  *low = hn::GetLane(hn::MinOfLanes(df, lowest));
  *high = hn::GetLane(hn::MaxOfLanes(df, highest));
  *scaled = !hn::AllFalse(d, anyScaled);
  *failedLanes = !hn::AllFalse(df, anyFailed);
  return hn::AllFalse(d, anyOutOfRange);
}

std::size_t VectorLanes() { return hn::Lanes(DD()); }

bool UniformRunImpl(const float* values, std::size_t n) {
  using DU = hn::ScalableTag<std::uint32_t>;
  const DU du;
  const auto* bits = reinterpret_cast<const std::uint32_t*>(values);
  const auto first = hn::Set(du, bits[0]);
  auto differs = hn::FirstN(du, 0);
  std::size_t i = 0;
  for (; i + hn::Lanes(du) <= n; i += hn::Lanes(du)) differs = hn::Or(differs, hn::Ne(hn::LoadU(du, bits + i), first));
  for (; i < n; ++i)
    if (bits[i] != bits[0]) return false;
  return hn::AllFalse(du, differs);
}

}  // namespace HWY_NAMESPACE
}  // namespace vorla
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace vorla {

HWY_EXPORT(IndexVectors);
HWY_EXPORT(VectorLanes);
HWY_EXPORT(UniformRunImpl);

bool UniformRun(const float* values, std::size_t n) { return HWY_DYNAMIC_DISPATCH(UniformRunImpl)(values, n); }

bool IndexRun(const float* z, std::size_t n, const LevelScale& scale, const IndexSettings& settings,
              std::uint8_t* indices, IndexedRun& run) {
  if (!scale.Valid()) return false;
  const std::size_t lanes = HWY_DYNAMIC_DISPATCH(VectorLanes)();
  const std::size_t whole = std::min(n, RowProgram::kRunLength) / lanes * lanes;
  float low = __builtin_inff(), high = -__builtin_inff();
  bool scaled = false;
  bool failed = false;
  if (!HWY_DYNAMIC_DISPATCH(IndexVectors)(z, whole, scale.Zmin(), scale.Zmax(), scale.StepWidth(),
                                          scale.Narrow(), settings, indices, &low, &high, &scaled, &failed))
    return false;
  for (std::size_t i = whole; i < n; ++i) {
    indices[i] = 0;
    if (std::isnan(z[i])) {
      failed = true;
      continue;
    }
    low = std::min(low, z[i]);
    high = std::max(high, z[i]);
    if (settings.Filters(z[i])) continue;
    scaled = true;
    if (!scale.Index(z[i], settings, indices[i])) return false;
  }
  const bool found = low <= high;
  if (found && (low == 0 || high == 0)) return false;
  run = IndexedRun{found, low, high, scaled, failed};
  return true;
}

}  // namespace vorla
#endif
