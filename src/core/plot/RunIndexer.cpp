#include "core/plot/RunIndexer.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

#include "core/expr/RowKernels.h"

#ifndef VORLA_RUN_INDEXER_TYPES
#define VORLA_RUN_INDEXER_TYPES
namespace vorla {

// What a run's indexing needs to know, fixed for the whole run.
struct RunRule {
  bool filterBelow;
  bool filterAbove;
  bool wrapBelow;
  bool wrapAbove;
  bool graded;
  float filterMin;
  float filterMax;
};

struct VectorsResult {
  float low;
  float high;
  bool scaled;
  bool failed;
  bool inRange;
};

}  // namespace vorla
#endif

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

// round(diff / step), the quotient rounded to double first: diff times the
// reciprocal lies within 2 ulp of that quotient, so only where it lies that
// close to a half-integer is the quotient divided out. |q - k| is at most
// 0.5, so the distance from the half is 0.5 - |q - k|, exact.
VD Level(DD d, VD diff, VD step, VD reciprocal) {
  const VD q = hn::Mul(diff, reciprocal);
  const VD k = hn::Round(q);
  const auto close = hn::Ge(hn::Abs(hn::Sub(q, k)), hn::NegMulAdd(hn::Abs(q), hn::Set(d, 0x1p-49), hn::Set(d, 0.5)));
  if (hn::AllFalse(d, close)) return k;
  return hn::IfThenElse(close, hn::Round(hn::Div(diff, step)), k);
}

// The "Bucle" index of levels k that did not leave 32 bits. Below zero the
// count runs down from 255: 255 + (m - 250) for the floor modulo m, or 255
// itself where m is 0.
VD Wrapped(DD d, VD k) {
  const VD m = FloorMod(d, k, 250);
  const auto negative = hn::Lt(k, hn::Zero(d));
  const VD index = hn::Add(m, hn::IfThenElse(negative, hn::Set(d, 5), hn::Set(d, 6)));
  return hn::IfThenElse(hn::And(negative, hn::Eq(m, hn::Zero(d))), hn::Set(d, 255), index);
}

// Levels beyond 32 bits.
hn::Mask<DD> OutOfRange(DD d, VD k) {
  return hn::Or(hn::Gt(k, hn::Set(d, 2147483647.0)), hn::Lt(k, hn::Set(d, -2147483648.0)));
}

// Indices 0..255 from the integers of index, whatever their higher bits:
// the byte of a level plus 6 is that level's index modulo 256.
void StoreIndices(VD index, std::uint8_t* out) {
  const DI di;
  const DU du;
  hn::StoreU(hn::DemoteTo(du, hn::And(hn::DemoteTo(di, index), hn::Set(di, 0xFF))), du, out);
}

// Whole vectors of a run with filters.
VectorsResult IndexFilteredVectors(const float* z, std::size_t n, float zmin, float zmax, float step,
                                   const RunRule& r, std::uint8_t* out) {
  const DD d;
  const DF df;
  const std::size_t lanes = hn::Lanes(d);
  const VD minZ = hn::Set(d, zmin), maxZ = hn::Set(d, zmax), width = hn::Set(d, step);
  const VD reciprocal = hn::Set(d, 1.0 / static_cast<double>(step));
  const VD filterMin = hn::Set(d, r.filterMin), filterMax = hn::Set(d, r.filterMax);
  const auto infinity = hn::Set(df, __builtin_inff());
  auto lowest = infinity, highest = hn::Neg(infinity);
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
    if (r.filterBelow) removed = hn::Or(removed, hn::Lt(v, filterMin));
    if (r.filterAbove) removed = hn::Or(removed, hn::Gt(v, filterMax));
    anyScaled = hn::Or(anyScaled, hn::Not(removed));
    const auto below = hn::Not(hn::Ge(v, minZ));
    const auto above = hn::AndNot(below, hn::Gt(v, maxZ));
    const auto inside = hn::Not(hn::Or(below, above));
    auto needsLevel = hn::FirstN(d, 0);
    if (r.wrapBelow) needsLevel = hn::Or(needsLevel, below);
    if (r.wrapAbove) needsLevel = hn::Or(needsLevel, above);
    if (r.graded) needsLevel = hn::Or(needsLevel, inside);
    needsLevel = hn::AndNot(removed, needsLevel);
    VD index = hn::IfThenElse(below, hn::Set(d, 1), hn::IfThenElse(above, hn::Set(d, 2), hn::Set(d, 3)));
    if (!hn::AllFalse(d, needsLevel)) {
      // Levels only where some lane needs one: the quotient is most of the work.
      const VD k = Level(d, hn::Sub(v, minZ), width, reciprocal);
      const auto outOfRange = OutOfRange(d, k);
      anyOutOfRange = hn::Or(anyOutOfRange, hn::And(needsLevel, outOfRange));
      // Modulo 256 is taken on the integers below.
      if (r.graded) index = hn::IfThenElse(inside, hn::Add(k, hn::Set(d, 6)), index);
      const auto wraps = hn::AndNot(inside, hn::AndNot(outOfRange, needsLevel));
      if (!hn::AllFalse(d, wraps)) index = hn::IfThenElse(wraps, Wrapped(d, k), index);
    }
    index = hn::IfThenElseZero(hn::Not(removed), index);
    StoreIndices(index, out + i);
  }
  VectorsResult result;
  result.low = hn::GetLane(hn::MinOfLanes(df, lowest));
  result.high = hn::GetLane(hn::MaxOfLanes(df, highest));
  result.failed = !hn::AllFalse(df, anyFailed);
  result.scaled = !hn::AllFalse(d, anyScaled);
  result.inRange = hn::AllFalse(d, anyOutOfRange);
  return result;
}

// Indices of `count` values (whole double vectors) without filters, in
// double: a level may need more than a float's 24 bits. Comparisons with a
// failed value are false: 0 for it, 1 below the scale.
template <bool kGraded, bool kWraps>
void IndexDoubleLanes(const float* z, std::size_t count, float zmin, float zmax, float step, const RunRule& r,
                      hn::Mask<DD>& anyOutOfRange, std::uint8_t* out) {
  const DD d;
  const DF df;
  const VD minZ = hn::Set(d, zmin), maxZ = hn::Set(d, zmax), width = hn::Set(d, step);
  const VD reciprocal = hn::Set(d, 1.0 / static_cast<double>(step));
  const VD one = hn::Set(d, 1), two = hn::Set(d, 2), firstLevel = hn::Set(d, LevelScale::kFirstLevelIndex);
  for (std::size_t i = 0; i < count; i += hn::Lanes(d)) {
    const VD v = hn::PromoteTo(d, hn::LoadU(df, z + i));
    const auto below = hn::Lt(v, minZ);
    const auto notBelow = hn::Ge(v, minZ);
    const auto above = hn::And(notBelow, hn::Gt(v, maxZ));
    const VD belowIndex = hn::And(hn::VecFromMask(d, below), one);
    VD k = hn::Zero(d);
    if constexpr (kGraded || kWraps) k = Level(d, hn::Sub(v, minZ), width, reciprocal);
    const VD inside = kGraded ? hn::Add(k, firstLevel) : hn::Set(d, 3);
    VD index = hn::IfThenElse(notBelow, hn::IfThenElse(above, two, inside), belowIndex);
    if constexpr (kWraps) {
      auto wraps = hn::FirstN(d, 0);
      if (r.wrapBelow) wraps = below;
      if (r.wrapAbove) wraps = hn::Or(wraps, above);
      if (!hn::AllFalse(d, wraps)) {
        anyOutOfRange = hn::Or(anyOutOfRange, hn::And(wraps, OutOfRange(d, k)));
        index = hn::IfThenElse(wraps, Wrapped(d, k), index);
      }
    }
    StoreIndices(index, out + i);
  }
}

using DW = hn::ScalableTag<float>;
using VW = hn::Vec<DW>;

// Levels go in float where they can: the quotient in float errs from the
// one in double by less than 2^-22 of itself (three roundings against two),
// so where it lies clear of a half-integer by more than that, with room for
// the rounding of the bound itself, both round to the same level. The bound
// is below zero from 2^21 up: clear levels are whole floats of fewer bits.
hn::Mask<DW> Clear(DW d, VW q, VW k) {
  const VW bound = hn::NegMulAdd(hn::Abs(q), hn::Set(d, 0x1p-22f), hn::Set(d, 0.5f - 0x1p-22f));
  return hn::Lt(hn::Abs(hn::Sub(q, k)), bound);
}

// The "Bucle" index of a clear level k in float: there k times the float
// nearest 1/250, truncated, is k's quotient by 250 (true of every whole k up
// to 2^22 in magnitude), so the remainder t is exact and takes k's sign:
// 6 + t from zero up (-0 included), 255 + t below.
VW WrappedClear(DW d, VW k) {
  const VW t = hn::NegMulAdd(hn::Set(d, 250.0f), hn::Trunc(hn::Mul(k, hn::Set(d, 1.0f / 250))), k);
  return hn::Add(t, hn::IfThenElse(hn::Lt(k, hn::Zero(d)), hn::Set(d, 255.0f), hn::Set(d, 6.0f)));
}

// Indices from whole floats 0..256: a whole float below 2^23 plus 2^23 holds
// that integer in its low mantissa bits, whose low byte is the index modulo
// 256.
void StoreLowBytes(VW index, std::uint8_t* out) {
  const hn::RebindToUnsigned<DW> du;
  const hn::Rebind<std::uint8_t, decltype(du)> d8;
  hn::StoreU(hn::TruncateTo(d8, hn::BitCast(du, hn::Add(index, hn::Set(DW(), 0x1p23f)))), d8, out);
}

// Whole vectors of a run without filters, the common case: a value reads
// the scale exactly when it did not fail. Min and Max give their second
// operand where the first is NaN (minps and maxps on x86, a NaN check on the
// portable targets), so failed values pass by the found range without a
// select. Levels in float (see Clear); a vector with a level too close to a
// half, or too large, goes in double. Inside the scale levels lie in
// 0..249, where a level's index and its "Bucle" index agree.
template <bool kGraded, bool kWrapBelow, bool kWrapAbove>
VectorsResult IndexPlainVectors(const float* z, std::size_t n, float zmin, float zmax, float step, const RunRule& r,
                                std::uint8_t* out) {
  const DW dw;
  const std::size_t lanes = hn::Lanes(dw);
  const VW minZ = hn::Set(dw, zmin), maxZ = hn::Set(dw, zmax);
  const VW reciprocal = hn::Set(dw, 1.0f / step);
  const VW one = hn::Set(dw, 1), two = hn::Set(dw, 2), three = hn::Set(dw, 3);
  VW lowest = hn::Set(dw, __builtin_inff()), highest = hn::Neg(lowest);
  auto anyFailed = hn::FirstN(dw, 0);
  auto anyOutOfRange = hn::FirstN(DD(), 0);
  for (std::size_t i = 0; i + lanes <= n; i += lanes) {
    const VW zf = hn::LoadU(dw, z + i);
    anyFailed = hn::Or(anyFailed, hn::IsNaN(zf));
    lowest = hn::Min(zf, lowest);
    highest = hn::Max(zf, highest);
    const auto below = hn::Lt(zf, minZ);
    const auto notBelow = hn::Ge(zf, minZ);
    const auto above = hn::And(notBelow, hn::Gt(zf, maxZ));
    auto needsLevel = hn::FirstN(dw, 0);
    if constexpr (kGraded) needsLevel = kWrapAbove ? notBelow : hn::AndNot(above, notBelow);
    else if constexpr (kWrapAbove) needsLevel = above;
    if constexpr (kWrapBelow) needsLevel = hn::Or(needsLevel, below);
    // Without a level: 1 below, 2 above, 3 inside, 0 where the value failed.
    VW index = hn::Zero(dw);
    if constexpr (!kWrapBelow) index = hn::IfThenElse(below, one, index);
    if constexpr (!kWrapAbove) index = hn::IfThenElse(above, two, index);
    if constexpr (!kGraded) index = hn::IfThenElse(hn::AndNot(above, notBelow), three, index);
    if ((kGraded || kWrapBelow || kWrapAbove) && !hn::AllFalse(dw, needsLevel)) {
      const VW q = hn::Mul(hn::Sub(zf, minZ), reciprocal);
      const VW k = hn::Round(q);
      if (!hn::AllFalse(dw, hn::AndNot(Clear(dw, q, k), needsLevel))) {
        IndexDoubleLanes<kGraded, kWrapBelow || kWrapAbove>(z + i, lanes, zmin, zmax, step, r, anyOutOfRange,
                                                             out + i);
        continue;
      }
      index = hn::IfThenElse(needsLevel, WrappedClear(dw, k), index);
    }
    StoreLowBytes(index, out + i);
  }
  VectorsResult result;
  result.low = hn::GetLane(hn::MinOfLanes(dw, lowest));
  result.high = hn::GetLane(hn::MaxOfLanes(dw, highest));
  result.failed = !hn::AllFalse(dw, anyFailed);
  result.scaled = result.low <= result.high;
  result.inRange = hn::AllFalse(DD(), anyOutOfRange);
  return result;
}

// Whole vectors of the run; the rest of it is left to the caller. inRange
// false where a lane needs a level beyond 32 bits.
VectorsResult IndexVectors(const float* z, std::size_t n, float zmin, float zmax, float step, const RunRule& r,
                           std::uint8_t* out) {
  if (r.filterBelow || r.filterAbove) return IndexFilteredVectors(z, n, zmin, zmax, step, r, out);
  // The switches as constants of the loop.
  const auto with = [](bool value, auto k) { return value ? k(std::true_type{}) : k(std::false_type{}); };
  return with(r.graded, [&](auto graded) {
    return with(r.wrapBelow, [&](auto below) {
      return with(r.wrapAbove, [&](auto above) {
        return IndexPlainVectors<decltype(graded)::value, decltype(below)::value, decltype(above)::value>(
            z, n, zmin, zmax, step, r, out);
      });
    });
  });
}

// Whole runs are counted in float vectors, which hold whole double ones.
std::size_t VectorLanes() { return hn::Lanes(hn::ScalableTag<float>()); }

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
  const std::size_t whole = n / lanes * lanes;
  const bool narrow = scale.Narrow();
  const RunRule rule{settings.filterBelow, settings.filterAbove, settings.wrapBelow && !narrow,
                     settings.wrapAbove && !narrow, settings.gradient && !narrow, settings.filterMin,
                     settings.filterMax};
  const auto indexVectors = [&](const float* values, std::size_t count, std::uint8_t* out) {
    return HWY_DYNAMIC_DISPATCH(IndexVectors)(values, count, scale.Zmin(), scale.Zmax(), scale.StepWidth(), rule, out);
  };
  VectorsResult vectors = indexVectors(z, whole, indices);
  if (whole < n) {
    // The rest as one more vector, filled up with a value of the run's own,
    // which changes nothing the run finds.
    alignas(kWidestVector * sizeof(float)) float rest[kWidestVector];
    std::uint8_t restIndices[kWidestVector];
    std::fill_n(rest, lanes, z[whole]);
    std::copy(z + whole, z + n, rest);
    const VectorsResult last = indexVectors(rest, lanes, restIndices);
    std::copy_n(restIndices, n - whole, indices + whole);
    vectors.low = std::min(vectors.low, last.low);
    vectors.high = std::max(vectors.high, last.high);
    vectors.scaled = vectors.scaled || last.scaled;
    vectors.failed = vectors.failed || last.failed;
    vectors.inRange = vectors.inRange && last.inRange;
  }
  if (!vectors.inRange) return false;
  const bool found = vectors.low <= vectors.high;
  if (found && (vectors.low == 0 || vectors.high == 0)) return false;
  run = IndexedRun{found, vectors.low, vectors.high, vectors.scaled, vectors.failed};
  return true;
}

}  // namespace vorla
#endif
