#pragma once
// The error codes of the expression language, as TExpresion::ErrorCode()
// gives them and the command-line tool prints them, each with an input that
// produces it.

namespace vorla {

enum class ExprError : int {
  kNone = 0,                // "x+1"; also a compile that fails with no code of its own ("x+")
  kZeroDivide = 11,         // "1/0"; "x/0" at x = 1
  kOverflow = 12,           // "1e39"; "exp(x)" at x = 89
  kUnderflow = 13,          // raised by no fault of this evaluator: kept for the counts
  kInvalidArgument = 14,    // raised by no fault of this evaluator: kept for the counts
  kInvalidOperation = 15,   // "ln(-1)"; "x/0" at x = 0
  kCompileFailure = 18,     // "foo(x)", "x;y", a text over 4000 characters: the parse message tells
  kEvaluationFailure = 19,  // any other failure while evaluating
  kMessage = 20,            // "'hola'" evaluated: the error text is the message
};

inline constexpr int CodeOf(ExprError error) { return static_cast<int>(error); }

}  // namespace vorla
