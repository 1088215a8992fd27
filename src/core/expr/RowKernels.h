#pragma once
// Operations over runs of floats for row programs, in the widest SIMD the
// processor offers. A failed lane holds NaN ("poison"): every operation gives
// NaN where an operand it reads is NaN, and arithmetic gives NaN where the
// tree would raise (a result beyond the float range or NaN), so a lane fails
// exactly when the tree's evaluation of that point would. Registers never
// hold infinities. Each run covers `n` lanes rounded up to whole vectors:
// buffers hold a multiple of kRunAlignment floats and are aligned to it.
// Operations that may leave a lane failed tell whether any of the run's
// vectors holds NaN, so that runs without failures skip the search for them.

#include <cstddef>
#include <cstdint>

namespace vorla {

inline constexpr std::size_t kRunAlignment = 64;  // floats
// The widest vector of any target: a run of whole such vectors at an address
// aligned to it can be read as a register.
inline constexpr std::size_t kWidestVector = 16;  // floats

enum class RunArithmetic { kAdd, kSub, kMul, kDiv };
// Exact float comparisons, giving TrueValue or FalseValue.
enum class RunComparison { kGreater, kLess };
// Truth is greater than 0; the right operand only matters where the left
// one does not decide (and, or), as the tree skips it there.
enum class RunLogic { kAnd, kOr, kXor };
// Lanes still needed below a branch: the parent's, narrowed to where the
// condition is true (kThen) or false without failing (kElse).
enum class RunBranch { kThen, kElse };

bool ArithmeticRun(RunArithmetic op, const float* a, const float* b, float* out, std::size_t n);

// An arithmetic over runs compiled for this processor, chosen once for a
// program rather than on every run: out = x op y, or with an operation
// inside another, (x inner y) outer c where `innerLeft`, else
// c outer (x inner y), each operation rounded as it is alone. Checked as
// ArithmeticRun is, or unchecked: lanes may be left infinite, for values
// that go on into sums, differences and products alone, which keep a value
// beyond the float range or NaN so until a checked operation. Whether a
// lane failed (false unchecked).
using ArithmeticKernel = bool (*)(const float* x, const float* y, const float* c, float* out, std::size_t n);
ArithmeticKernel ArithmeticKernelFor(RunArithmetic op, bool checked);
ArithmeticKernel FusedArithmeticKernelFor(RunArithmetic inner, RunArithmetic outer, bool innerLeft, bool checked);
bool ComparisonRun(RunComparison op, const float* a, const float* b, float* out, std::size_t n);
bool LogicRun(RunLogic op, const float* a, const float* b, float* out, std::size_t n);
// condition > 0 ? a : b, NaN where the condition is.
bool SelectRun(const float* condition, const float* a, const float* b, float* out, std::size_t n);
// 1 where needed, 0 elsewhere; a null parent needs every lane. False when
// no lane is needed.
bool BranchMaskRun(RunBranch branch, const float* condition, const float* parent, float* out,
                   std::size_t n);
void FillRun(float value, float* out, std::size_t n);
// Infinities become NaN: a result beyond the float range fails.
bool CheckRun(float* values, std::size_t n);
bool AnyFailed(const float* values, std::size_t n);

// Where `result` failed, the code of the first operand that failed there (a,
// then b; either may be null for an operand that cannot have failed), from
// the operands' codes; elsewhere 0. Whether
// some lane failed although its operands did not: the operation's own fault,
// whose code the caller gives.
bool PropagateCodes(const float* result, const float* a, const std::uint8_t* aCodes, const float* b,
                    const std::uint8_t* bCodes, std::uint8_t* codes, std::size_t n);

// Functions of the catalog exact in float: square root (NaN below 0),
// square, absolute value, integer part and reciprocal, failing as the tree.
enum class RunUnary { kSqrt, kSquare, kAbs, kTrunc, kReciprocal };
bool UnaryRun(RunUnary op, const float* x, float* out, std::size_t n);

}  // namespace vorla
