#include "core/expr/RowKernels.h"

#include <type_traits>

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

// Stores each vector `op` gives; whether any of them holds NaN.
template <class Op>
bool StoreEachVector(float* out, std::size_t n, Op op) {
  const D d;
  auto failed = hn::FirstN(d, 0);
  for (std::size_t i = 0; i < n; i += hn::Lanes(d)) {
    const V v = op(d, i);
    failed = hn::Or(failed, hn::IsNaN(v));
    hn::Store(v, d, out + i);
  }
  return !hn::AllFalse(d, failed);
}

V Poison(D d) { return hn::Set(d, __builtin_nanf("")); }

// Stores each vector `op` gives, a value beyond the float range made NaN, a
// fault of the lane; whether any lane failed. |v| < infinity is false for
// both, so one comparison finds them.
template <class Op>
bool StoreEachChecked(float* out, std::size_t n, Op op) {
  const D d;
  const V infinity = hn::Set(d, __builtin_inff());
  auto failed = hn::FirstN(d, 0);
  for (std::size_t i = 0; i < n; i += hn::Lanes(d)) {
    const V v = op(d, i);
    const auto fault = hn::Not(hn::Lt(hn::Abs(v), infinity));
    failed = hn::Or(failed, fault);
    hn::Store(hn::IfThenElse(fault, Poison(d), v), d, out + i);
  }
  return !hn::AllFalse(d, failed);
}

V Truth(D d, hn::Mask<D> m) { return hn::IfThenElse(m, hn::Set(d, 1.0f), hn::Set(d, -1.0f)); }

template <RunArithmetic kOp>
V Apply(V x, V y) {
  if constexpr (kOp == RunArithmetic::kAdd) return hn::Add(x, y);
  else if constexpr (kOp == RunArithmetic::kSub) return hn::Sub(x, y);
  else if constexpr (kOp == RunArithmetic::kMul) return hn::Mul(x, y);
  else return hn::Div(x, y);
}

template <bool kChecked, class Op>
bool StoreArithmetic(float* out, std::size_t n, Op op) {
  if constexpr (kChecked) return StoreEachChecked(out, n, op);
  ForEachVector(n, [&](D d, std::size_t i) { hn::Store(op(d, i), d, out + i); });
  return false;
}

template <RunArithmetic kOp, bool kChecked>
bool OneKernel(const float* x, const float* y, const float*, float* out, std::size_t n) {
  return StoreArithmetic<kChecked>(out, n, [&](D d, std::size_t i) { return Apply<kOp>(hn::Load(d, x + i), hn::Load(d, y + i)); });
}

template <RunArithmetic kInner, RunArithmetic kOuter, bool kLeft, bool kChecked>
bool FusedKernel(const float* x, const float* y, const float* c, float* out, std::size_t n) {
  return StoreArithmetic<kChecked>(out, n, [&](D d, std::size_t i) {
    const V t = Apply<kInner>(hn::Load(d, x + i), hn::Load(d, y + i));
    const V o = hn::Load(d, c + i);
    return kLeft ? Apply<kOuter>(t, o) : Apply<kOuter>(o, t);
  });
}

// Calls `k` with `op` as a compile-time constant.
template <class K>
ArithmeticKernel WithOperation(RunArithmetic op, K k) {
  using Op = RunArithmetic;
  switch (op) {
    case Op::kAdd: return k(std::integral_constant<Op, Op::kAdd>{});
    case Op::kSub: return k(std::integral_constant<Op, Op::kSub>{});
    case Op::kMul: return k(std::integral_constant<Op, Op::kMul>{});
    case Op::kDiv: break;
  }
  return k(std::integral_constant<Op, Op::kDiv>{});
}

// Calls `k` with `value` as a compile-time constant.
template <class K>
ArithmeticKernel WithFlag(bool value, K k) {
  return value ? k(std::true_type{}) : k(std::false_type{});
}

ArithmeticKernel ArithmeticKernelImpl(RunArithmetic op, bool checked) {
  return WithOperation(op, [&](auto o) {
    return WithFlag(checked, [](auto c) -> ArithmeticKernel { return &OneKernel<decltype(o)::value, decltype(c)::value>; });
  });
}

ArithmeticKernel FusedArithmeticKernelImpl(RunArithmetic inner, RunArithmetic outer, bool innerLeft, bool checked) {
  return WithOperation(inner, [&](auto i) {
    return WithOperation(outer, [&](auto o) {
      return WithFlag(innerLeft, [&](auto l) {
        return WithFlag(checked, [](auto c) -> ArithmeticKernel {
          return &FusedKernel<decltype(i)::value, decltype(o)::value, decltype(l)::value, decltype(c)::value>;
        });
      });
    });
  });
}

bool ComparisonRunImpl(RunComparison op, const float* a, const float* b, float* out, std::size_t n) {
  return StoreEachVector(out, n, [&](D d, std::size_t i) {
    const V x = hn::Load(d, a + i);
    const V y = hn::Load(d, b + i);
    const V truth = Truth(d, op == RunComparison::kGreater ? hn::Gt(x, y) : hn::Lt(x, y));
    return hn::IfThenElse(hn::Or(hn::IsNaN(x), hn::IsNaN(y)), Poison(d), truth);
  });
}

bool LogicRunImpl(RunLogic op, const float* a, const float* b, float* out, std::size_t n) {
  return StoreEachVector(out, n, [&](D d, std::size_t i) {
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
    return hn::IfThenElse(hn::IsNaN(x), Poison(d), result);
  });
}

bool SelectRunImpl(const float* condition, const float* a, const float* b, float* out, std::size_t n) {
  return StoreEachVector(out, n, [&](D d, std::size_t i) {
    const V c = hn::Load(d, condition + i);
    const V chosen = hn::IfThenElse(hn::Gt(c, hn::Zero(d)), hn::Load(d, a + i), hn::Load(d, b + i));
    return hn::IfThenElse(hn::IsNaN(c), Poison(d), chosen);
  });
}

// The lanes beyond n in the last vector are left out of the answer.
bool BranchMaskRunImpl(RunBranch branch, const float* condition, const float* parent, float* out,
                       std::size_t n) {
  const D d;
  auto any = hn::FirstN(d, 0);
  ForEachVector(n, [&](D, std::size_t i) {
    const V c = hn::Load(d, condition + i);
    auto taken = branch == RunBranch::kThen ? hn::Gt(c, hn::Zero(d)) : hn::Le(c, hn::Zero(d));
    if (parent != nullptr) taken = hn::And(taken, hn::Gt(hn::Load(d, parent + i), hn::Zero(d)));
    taken = hn::And(taken, hn::FirstN(d, n - i));
    any = hn::Or(any, taken);
    hn::Store(hn::IfThenElseZero(taken, hn::Set(d, 1.0f)), d, out + i);
  });
  return !hn::AllFalse(d, any);
}

bool CheckRunImpl(float* values, std::size_t n) {
  return StoreEachChecked(values, n, [&](D d, std::size_t i) { return hn::Load(d, values + i); });
}

bool AnyFailedImpl(const float* values, std::size_t n) {
  const D d;
  auto failed = hn::FirstN(d, 0);
  ForEachVector(n, [&](D, std::size_t i) { failed = hn::Or(failed, hn::IsNaN(hn::Load(d, values + i))); });
  return !hn::AllFalse(d, failed);
}

bool UnaryRunImpl(RunUnary op, const float* x, float* out, std::size_t n) {
  const auto run = [&](auto f) {
    return StoreEachChecked(out, n, [&](D d, std::size_t i) { return f(d, hn::Load(d, x + i)); });
  };
  switch (op) {
    case RunUnary::kSqrt: return run([](D, V v) { return hn::Sqrt(v); });
    case RunUnary::kSquare: return run([](D, V v) { return hn::Mul(v, v); });
    case RunUnary::kAbs: return run([](D, V v) { return hn::Abs(v); });
    case RunUnary::kTrunc: return run([](D, V v) { return hn::Trunc(v); });
    case RunUnary::kReciprocal: return run([](D d, V v) { return hn::Div(hn::Set(d, 1.0f), v); });
  }
  return false;
}

bool PropagateCodesImpl(const float* result, const float* a, const std::uint8_t* aCodes, const float* b,
                        const std::uint8_t* bCodes, std::uint8_t* codes, std::size_t n) {
  const D d;
  const hn::Rebind<std::int32_t, D> di;
  const hn::Rebind<std::uint8_t, D> du;
  auto own = hn::FirstN(d, 0);
  ForEachVector(n, [&](D, std::size_t i) {
    auto failed = hn::FirstN(d, 0);
    auto code = hn::Zero(di);
    if (a != nullptr) {
      failed = hn::IsNaN(hn::Load(d, a + i));
      code = hn::IfThenElseZero(hn::RebindMask(di, failed), hn::PromoteTo(di, hn::LoadU(du, aCodes + i)));
    }
    if (b != nullptr) {
      const auto bFailed = hn::AndNot(failed, hn::IsNaN(hn::Load(d, b + i)));
      code = hn::IfThenElse(hn::RebindMask(di, bFailed), hn::PromoteTo(di, hn::LoadU(du, bCodes + i)), code);
      failed = hn::Or(failed, bFailed);
    }
    const auto resultFailed = hn::And(hn::IsNaN(hn::Load(d, result + i)), hn::FirstN(d, n - i));
    own = hn::Or(own, hn::AndNot(failed, resultFailed));
    hn::StoreU(hn::DemoteTo(du, code), du, codes + i);
  });
  return !hn::AllFalse(d, own);
}

void FillRunImpl(float value, float* out, std::size_t n) {
  ForEachVector(n, [&](D d, std::size_t i) { hn::Store(hn::Set(d, value), d, out + i); });
}

}  // namespace HWY_NAMESPACE
}  // namespace vorla
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace vorla {

HWY_EXPORT(ArithmeticKernelImpl);
HWY_EXPORT(FusedArithmeticKernelImpl);
HWY_EXPORT(ComparisonRunImpl);
HWY_EXPORT(LogicRunImpl);
HWY_EXPORT(SelectRunImpl);
HWY_EXPORT(BranchMaskRunImpl);
HWY_EXPORT(FillRunImpl);
HWY_EXPORT(CheckRunImpl);
HWY_EXPORT(UnaryRunImpl);
HWY_EXPORT(AnyFailedImpl);
HWY_EXPORT(PropagateCodesImpl);

bool PropagateCodes(const float* result, const float* a, const std::uint8_t* aCodes, const float* b,
                    const std::uint8_t* bCodes, std::uint8_t* codes, std::size_t n) {
  return HWY_DYNAMIC_DISPATCH(PropagateCodesImpl)(result, a, aCodes, b, bCodes, codes, n);
}

bool CheckRun(float* values, std::size_t n) { return HWY_DYNAMIC_DISPATCH(CheckRunImpl)(values, n); }

bool AnyFailed(const float* values, std::size_t n) { return HWY_DYNAMIC_DISPATCH(AnyFailedImpl)(values, n); }

bool UnaryRun(RunUnary op, const float* x, float* out, std::size_t n) {
  return HWY_DYNAMIC_DISPATCH(UnaryRunImpl)(op, x, out, n);
}

ArithmeticKernel ArithmeticKernelFor(RunArithmetic op, bool checked) {
  return HWY_DYNAMIC_DISPATCH(ArithmeticKernelImpl)(op, checked);
}

ArithmeticKernel FusedArithmeticKernelFor(RunArithmetic inner, RunArithmetic outer, bool innerLeft, bool checked) {
  return HWY_DYNAMIC_DISPATCH(FusedArithmeticKernelImpl)(inner, outer, innerLeft, checked);
}

bool ArithmeticRun(RunArithmetic op, const float* a, const float* b, float* out, std::size_t n) {
  return ArithmeticKernelFor(op, true)(a, b, nullptr, out, n);
}

bool ComparisonRun(RunComparison op, const float* a, const float* b, float* out, std::size_t n) {
  return HWY_DYNAMIC_DISPATCH(ComparisonRunImpl)(op, a, b, out, n);
}

bool LogicRun(RunLogic op, const float* a, const float* b, float* out, std::size_t n) {
  return HWY_DYNAMIC_DISPATCH(LogicRunImpl)(op, a, b, out, n);
}

bool SelectRun(const float* condition, const float* a, const float* b, float* out, std::size_t n) {
  return HWY_DYNAMIC_DISPATCH(SelectRunImpl)(condition, a, b, out, n);
}

bool BranchMaskRun(RunBranch branch, const float* condition, const float* parent, float* out,
                   std::size_t n) {
  return HWY_DYNAMIC_DISPATCH(BranchMaskRunImpl)(branch, condition, parent, out, n);
}

void FillRun(float value, float* out, std::size_t n) { HWY_DYNAMIC_DISPATCH(FillRunImpl)(value, out, n); }

}  // namespace vorla
#endif
