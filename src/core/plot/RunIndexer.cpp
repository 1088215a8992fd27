#include "core/plot/RunIndexer.h"

#include <algorithm>
#include <cmath>

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
using VD = hn::Vec<DD>;

// x modulo m, from floor division: exact for the integers of a level.
VD FloorMod(DD d, VD x, double m) {
  return hn::Sub(x, hn::Mul(hn::Set(d, m), hn::Floor(hn::Div(x, hn::Set(d, m)))));
}

// Whole vectors of the run; the rest of it is left to the caller. False
// where a lane needs a level beyond 32 bits.
bool IndexVectors(const float* z, std::size_t n, float zmin, float zmax, float step, bool narrow,
                  const IndexSettings& s, std::int32_t* out, float* low, float* high, bool* scaled) {
  const DD d;
  const DF df;
  const DI di;
  const std::size_t lanes = hn::Lanes(d);
  const VD minZ = hn::Set(d, zmin), maxZ = hn::Set(d, zmax), width = hn::Set(d, step);
  const VD zero = hn::Zero(d);
  auto lowest = hn::Set(df, *low), highest = hn::Set(df, *high);
  auto anyScaled = hn::FirstN(d, 0);
  auto anyOutOfRange = hn::FirstN(d, 0);
  for (std::size_t i = 0; i + lanes <= n; i += lanes) {
    const auto zf = hn::LoadU(df, z + i);
    lowest = hn::Min(lowest, zf);
    highest = hn::Max(highest, zf);
    const VD v = hn::PromoteTo(d, zf);
    auto removed = hn::FirstN(d, 0);
    if (s.filterBelow) removed = hn::Or(removed, hn::Lt(v, hn::Set(d, s.filterMin)));
    if (s.filterAbove) removed = hn::Or(removed, hn::Gt(v, hn::Set(d, s.filterMax)));
    const auto below = hn::Not(hn::Ge(v, minZ));
    const auto above = hn::AndNot(below, hn::Gt(v, maxZ));
    const auto inside = hn::Not(hn::Or(below, above));
    const VD k = hn::Round(hn::Div(hn::Sub(v, minZ), width));
    const VD wrapped =
        hn::IfThenElse(hn::Ge(k, zero), hn::Add(FloorMod(d, k, 250), hn::Set(d, 6)),
                       hn::Add(hn::Sub(k, hn::Mul(hn::Set(d, 250), hn::Trunc(hn::Div(k, hn::Set(d, 250))))),
                               hn::Set(d, 255)));
    const VD level = FloorMod(d, hn::Add(k, hn::Set(d, 6)), 256);
    const bool wrapBelow = s.wrapBelow && !narrow;
    const bool wrapAbove = s.wrapAbove && !narrow;
    const bool graded = s.gradient && !narrow;
    VD index = graded ? level : hn::Set(d, 3);
    index = hn::IfThenElse(below, wrapBelow ? wrapped : hn::Set(d, 1), index);
    index = hn::IfThenElse(above, wrapAbove ? wrapped : hn::Set(d, 2), index);
    index = hn::IfThenElseZero(hn::Not(removed), index);
    auto needsLevel = hn::FirstN(d, 0);
    if (wrapBelow) needsLevel = hn::Or(needsLevel, below);
    if (wrapAbove) needsLevel = hn::Or(needsLevel, above);
    if (graded) needsLevel = hn::Or(needsLevel, inside);
    const VD limit = hn::Set(d, 2147483647.0);
    const auto outOfRange = hn::Or(hn::Gt(k, limit), hn::Lt(k, hn::Set(d, -2147483648.0)));
    anyOutOfRange = hn::Or(anyOutOfRange, hn::AndNot(removed, hn::And(needsLevel, outOfRange)));
    anyScaled = hn::Or(anyScaled, hn::Not(removed));
    hn::StoreU(hn::DemoteTo(di, index), di, out + i);
  }
  *low = hn::GetLane(hn::MinOfLanes(df, lowest));
  *high = hn::GetLane(hn::MaxOfLanes(df, highest));
  *scaled = !hn::AllFalse(d, anyScaled);
  return hn::AllFalse(d, anyOutOfRange);
}

std::size_t VectorLanes() { return hn::Lanes(DD()); }

}  // namespace HWY_NAMESPACE
}  // namespace vorla
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace vorla {

HWY_EXPORT(IndexVectors);
HWY_EXPORT(VectorLanes);

bool IndexRun(const float* z, std::size_t n, const LevelScale& scale, const IndexSettings& settings,
              std::uint8_t* indices, IndexedRun& run) {
  if (!scale.Valid()) return false;
  std::int32_t levels[256];
  const std::size_t whole = std::min<std::size_t>(n, 256) / HWY_DYNAMIC_DISPATCH(VectorLanes)() *
                            HWY_DYNAMIC_DISPATCH(VectorLanes)();
  float low = z[0], high = z[0];
  bool scaled = false;
  if (!HWY_DYNAMIC_DISPATCH(IndexVectors)(z, whole, scale.Zmin(), scale.Zmax(), scale.StepWidth(),
                                          scale.Narrow(), settings, levels, &low, &high, &scaled))
    return false;
  for (std::size_t i = 0; i < whole; ++i) indices[i] = static_cast<std::uint8_t>(levels[i]);
  for (std::size_t i = whole; i < n; ++i) {
    low = std::min(low, z[i]);
    high = std::max(high, z[i]);
    indices[i] = 0;
    if (settings.Filters(z[i])) continue;
    scaled = true;
    if (!scale.Index(z[i], settings, indices[i])) return false;
  }
  if (low == 0 || high == 0) return false;
  run = IndexedRun{low, high, scaled};
  return true;
}

}  // namespace vorla
#endif
