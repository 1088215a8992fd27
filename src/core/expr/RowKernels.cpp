#include "core/expr/RowKernels.h"

// Compiled once per instruction set; the best one the processor runs is
// chosen on the first call.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "core/expr/RowKernels.cpp"
#include "hwy/foreach_target.h"  // before highway.h
#include "hwy/highway.h"

HWY_BEFORE_NAMESPACE();
namespace vorla {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

using D = hn::ScalableTag<float>;
using V = hn::Vec<D>;

template <class Op>
void ForEachVector(std::size_t n, Op op) {
  const D d;
  for (std::size_t i = 0; i < n; i += hn::Lanes(d)) op(d, i);
}

V Poison(D d) { return hn::Set(d, __builtin_nanf("")); }

// A result beyond the float range, or NaN, is a fault of the lane.
V Checked(D d, V v) { return hn::IfThenElse(hn::IsFinite(v), v, Poison(d)); }

V Truth(D d, hn::Mask<D> m) { return hn::IfThenElse(m, hn::Set(d, 1.0f), hn::Set(d, -1.0f)); }

void ArithmeticRunImpl(RunArithmetic op, const float* a, const float* b, float* out, std::size_t n) {
  const auto run = [&](auto f) {
    ForEachVector(n, [&](D d, std::size_t i) {
      hn::Store(Checked(d, f(hn::Load(d, a + i), hn::Load(d, b + i))), d, out + i);
    });
  };
  switch (op) {
    case RunArithmetic::kAdd: return run([](V x, V y) { return hn::Add(x, y); });
    case RunArithmetic::kSub: return run([](V x, V y) { return hn::Sub(x, y); });
    case RunArithmetic::kMul: return run([](V x, V y) { return hn::Mul(x, y); });
    case RunArithmetic::kDiv: return run([](V x, V y) { return hn::Div(x, y); });
  }
}

void ComparisonRunImpl(RunComparison op, const float* a, const float* b, float* out, std::size_t n) {
  ForEachVector(n, [&](D d, std::size_t i) {
    const V x = hn::Load(d, a + i);
    const V y = hn::Load(d, b + i);
    const V truth = Truth(d, op == RunComparison::kGreater ? hn::Gt(x, y) : hn::Lt(x, y));
    hn::Store(hn::IfThenElse(hn::Or(hn::IsNaN(x), hn::IsNaN(y)), Poison(d), truth), d, out + i);
  });
}

void LogicRunImpl(RunLogic op, const float* a, const float* b, float* out, std::size_t n) {
  ForEachVector(n, [&](D d, std::size_t i) {
    const V x = hn::Load(d, a + i);
    const V y = hn::Load(d, b + i);
    const V zero = hn::Zero(d);
    const auto xTrue = hn::Gt(x, zero);
    const auto yTrue = hn::Gt(y, zero);
    V result;
    if (op == RunLogic::kXor) {
      result = Truth(d, hn::Xor(xTrue, yTrue));
      result = hn::IfThenElse(hn::IsNaN(y), Poison(d), result);
    } else {
      // The right operand decides where the left one does not.
      const auto rightDecides = op == RunLogic::kAnd ? xTrue : hn::Not(xTrue);
      const V right = hn::IfThenElse(hn::IsNaN(y), Poison(d), Truth(d, yTrue));
      result = hn::IfThenElse(rightDecides, right, Truth(d, xTrue));
    }
    hn::Store(hn::IfThenElse(hn::IsNaN(x), Poison(d), result), d, out + i);
  });
}

void SelectRunImpl(const float* condition, const float* a, const float* b, float* out, std::size_t n) {
  ForEachVector(n, [&](D d, std::size_t i) {
    const V c = hn::Load(d, condition + i);
    const V chosen = hn::IfThenElse(hn::Gt(c, hn::Zero(d)), hn::Load(d, a + i), hn::Load(d, b + i));
    hn::Store(hn::IfThenElse(hn::IsNaN(c), Poison(d), chosen), d, out + i);
  });
}

void BranchMaskRunImpl(RunBranch branch, const float* condition, const float* parent, float* out,
                       std::size_t n) {
  ForEachVector(n, [&](D d, std::size_t i) {
    const V c = hn::Load(d, condition + i);
    auto taken = branch == RunBranch::kThen ? hn::Gt(c, hn::Zero(d)) : hn::Le(c, hn::Zero(d));
    if (parent != nullptr) taken = hn::And(taken, hn::Gt(hn::Load(d, parent + i), hn::Zero(d)));
    hn::Store(hn::IfThenElseZero(taken, hn::Set(d, 1.0f)), d, out + i);
  });
}

void CheckRunImpl(float* values, std::size_t n) {
  ForEachVector(n, [&](D d, std::size_t i) { hn::Store(Checked(d, hn::Load(d, values + i)), d, values + i); });
}

void UnaryRunImpl(RunUnary op, const float* x, float* out, std::size_t n) {
  const auto run = [&](auto f) {
    ForEachVector(n, [&](D d, std::size_t i) { hn::Store(Checked(d, f(d, hn::Load(d, x + i))), d, out + i); });
  };
  switch (op) {
    case RunUnary::kSqrt: return run([](D, V v) { return hn::Sqrt(v); });
    case RunUnary::kSquare: return run([](D, V v) { return hn::Mul(v, v); });
    case RunUnary::kAbs: return run([](D, V v) { return hn::Abs(v); });
    case RunUnary::kTrunc: return run([](D, V v) { return hn::Trunc(v); });
    case RunUnary::kReciprocal: return run([](D d, V v) { return hn::Div(hn::Set(d, 1.0f), v); });
  }
}

void FillRunImpl(float value, float* out, std::size_t n) {
  ForEachVector(n, [&](D d, std::size_t i) { hn::Store(hn::Set(d, value), d, out + i); });
}

}  // namespace HWY_NAMESPACE
}  // namespace vorla
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace vorla {

HWY_EXPORT(ArithmeticRunImpl);
HWY_EXPORT(ComparisonRunImpl);
HWY_EXPORT(LogicRunImpl);
HWY_EXPORT(SelectRunImpl);
HWY_EXPORT(BranchMaskRunImpl);
HWY_EXPORT(FillRunImpl);
HWY_EXPORT(CheckRunImpl);
HWY_EXPORT(UnaryRunImpl);

void CheckRun(float* values, std::size_t n) { HWY_DYNAMIC_DISPATCH(CheckRunImpl)(values, n); }

void UnaryRun(RunUnary op, const float* x, float* out, std::size_t n) {
  HWY_DYNAMIC_DISPATCH(UnaryRunImpl)(op, x, out, n);
}

void ArithmeticRun(RunArithmetic op, const float* a, const float* b, float* out, std::size_t n) {
  HWY_DYNAMIC_DISPATCH(ArithmeticRunImpl)(op, a, b, out, n);
}

void ComparisonRun(RunComparison op, const float* a, const float* b, float* out, std::size_t n) {
  HWY_DYNAMIC_DISPATCH(ComparisonRunImpl)(op, a, b, out, n);
}

void LogicRun(RunLogic op, const float* a, const float* b, float* out, std::size_t n) {
  HWY_DYNAMIC_DISPATCH(LogicRunImpl)(op, a, b, out, n);
}

void SelectRun(const float* condition, const float* a, const float* b, float* out, std::size_t n) {
  HWY_DYNAMIC_DISPATCH(SelectRunImpl)(condition, a, b, out, n);
}

void BranchMaskRun(RunBranch branch, const float* condition, const float* parent, float* out,
                   std::size_t n) {
  HWY_DYNAMIC_DISPATCH(BranchMaskRunImpl)(branch, condition, parent, out, n);
}

void FillRun(float value, float* out, std::size_t n) { HWY_DYNAMIC_DISPATCH(FillRunImpl)(value, out, n); }

}  // namespace vorla
#endif
