// Evaluation of every operator: powers, roots, logarithms, comparisons and
// their chains, logic with short circuits, and the floating-point faults.

#include <gtest/gtest.h>

#include <new>

#include "ExprTestEnv.h"
#include "core/expr/ErrorMessages.h"

namespace vorla::test {
namespace {

using OperatorTest = ExprCaseTest;
TEST_P(OperatorTest, Evaluates) { RunCase(); }

INSTANTIATE_TEST_SUITE_P(
    Arithmetic, OperatorTest,
    ::testing::Values(
        ExprCase{"sumRoundsToFloat", "x+y", 0.1f, 0.2f, Value(0.1f + 0.2f)},
        ExprCase{"zeroToTheZero", "x^x", 0, 0, Value(1)},
        ExprCase{"zeroToMinusOne", "x^(-1)", 0, 0, EvalError(11, msg::kZeroDivide)},
        ExprCase{"negativeBaseIntegerPower", "x^3", -8, 0, Value(-512)},
        ExprCase{"negativeBaseNegativePower", "x^(-2)", -2, 0, Value(0.25f)},
        ExprCase{"negativeBaseFractionalPower", "x^(1/3)", -8, 0, EvalError(15, msg::kInvalidOp)},
        ExprCase{"fractionalPower", "x^0.5", 9, 0, Value(3)},
        ExprCase{"squareRootOfNegative", "x\\2", -4, 0, EvalError(15, msg::kInvalidOp)},
        ExprCase{"rootIndexZero", "x\\0", 4, 0, EvalError(11, msg::kZeroDivide)},
        ExprCase{"cubeRoot", "x\\3", 8, 0, Value(2)},
        ExprCase{"logBaseTwo", "x\xA3" "2", 8, 0, Value(3)},
        ExprCase{"logOfNegative", "x\xA3" "2", -1, 0, EvalError(15, msg::kInvalidOp)},
        ExprCase{"logOfZero", "x\xA3" "2", 0, 0, EvalError(11, msg::kZeroDivide)},
        ExprCase{"logBaseOne", "2\xA3x", 1, 0, EvalError(11, msg::kZeroDivide)},
        ExprCase{"powerBeyondFloat", "10^x", 39, 0, EvalError(12, msg::kOverflow)},
        ExprCase{"powerAtFloatTop", "10^x", 38, 0, Value(1e38f)},
        ExprCase{"productBeyondFloat", "x*1e38", 10, 0, EvalError(12, msg::kOverflow)},
        ExprCase{"sumBeyondFloat", "x+x", 3e38f, 0, EvalError(12, msg::kOverflow)},
        ExprCase{"underflowIsSilent", "x*x", 1e-30f, 0, Value(0)},
        ExprCase{"constantFaultAtCompile", "0^(-1)", 0, 0, CompileError(11, msg::kZeroDivide)},
        ExprCase{"constantInvalidAtCompile", "(-8)^(1/3)", 0, 0, CompileError(15, msg::kInvalidOp)}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Comparisons, OperatorTest,
    ::testing::Values(
        ExprCase{"ascendingChain", "1<x<3", 2, 0, Value(1)},
        ExprCase{"chainWithEqualEnd", "3>x>2", 2, 0, Value(-1)},
        ExprCase{"chainBrokenAtEnd", "1<3<x", 2, 0, Value(-1)},
        ExprCase{"chainBrokenAtStart", "3<x<5", 2, 0, Value(-1)},
        ExprCase{"longChain", "1<x<3<4<y", 2, 5, Value(1)},
        ExprCase{"equalAfterRounding", "x+y=0.3", 0.1f, 0.2f, Value(1)},
        ExprCase{"unequalAfterRounding", "x+y=0.30001", 0.1f, 0.2f, Value(-1)},
        ExprCase{"notEqualWithinTolerance", "x<>y", 0, 1e-15f, Value(-1)},
        ExprCase{"falseIsMinusOne", "x>y", 1, 2, Value(-1)},
        ExprCase{"greaterOrEqualOnEqual", "x>=y", 2, 2, Value(1)},
        ExprCase{"lessOrEqualFalse", "x<=y", 2, 1, Value(-1)}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Logic, OperatorTest,
    ::testing::Values(
        ExprCase{"andSkipsRightWhenLeftFalse", "x>0&'nunca'", -1, 0, Value(-1)},
        ExprCase{"andEvaluatesRightWhenLeftTrue", "x>0&'siempre'", 1, 0, EvalError(20, "siempre")},
        ExprCase{"orSkipsRightWhenLeftTrue", "x>0$'nunca'", 1, 0, Value(1)},
        ExprCase{"xorEvaluatesBoth", "x>0!'siempre'", 1, 0, EvalError(20, "siempre")},
        ExprCase{"xorOfTruths", "x!y", 1, 1, Value(-1)},
        ExprCase{"xorOfOneTruth", "x!y", 1, 0, Value(1)},
        ExprCase{"zeroIsFalse", "x$y", 0, 0, Value(-1)}),
    CaseName);

// Running out of memory is no fault of the expression: it is not turned into
// an error code of the pixel but ends whatever evaluation asked.
TEST(EvaluationFailureTest, MemoryExhaustionPropagates) {
  ExprEnv env;
  env.root.AddFunction0("agota", []() -> float { throw std::bad_alloc(); }, MakerKind::kFunction0, "");
  env.root.SetText("x+agota");
  ASSERT_TRUE(env.root.Compiled());
  EXPECT_THROW(env.root.GetValue(), std::bad_alloc);
}

// Nor is it a compile error when a constant call runs out while compiling.
TEST(EvaluationFailureTest, MemoryExhaustionWhileCompilingPropagates) {
  ExprEnv env;
  env.root.AddFunction1("agota", [](float) -> float { throw std::bad_alloc(); }, nullptr, "");
  EXPECT_THROW(env.root.SetText("1+agota(2)"), std::bad_alloc);
}

}  // namespace
}  // namespace vorla::test
