#pragma once
// Failures of the expression language. Every kind carries a Spanish message in
// Windows-1252; TExpresion turns them into its error code and text.

#include <exception>
#include <string>
#include <utility>

#include "core/expr/ErrorCodes.h"
#include "core/expr/ErrorMessages.h"

namespace vorla {

class EExprError : public std::exception {
 public:
  explicit EExprError(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const { return message_; }

 private:
  std::string message_;
};

// A check of the compiler failed for good (unknown name, text too long...).
class ECompilacion : public EExprError {
  using EExprError::EExprError;
};

// Raised by a quoted message of the expression itself.
class EExprMsj : public EExprError {
  using EExprError::EExprError;
};

// Solving for a variable was refused.
class EDespejar : public EExprError {
  using EExprError::EExprError;
};

// Floating-point faults. They are found by checking operands and results, so
// evaluation never depends on hardware traps. They carry their error code and
// a static text: a failing pixel allocates no string.
class EMathError : public std::exception {
 public:
  const char* what() const noexcept override { return text_; }
  ExprError Code() const noexcept { return code_; }

 protected:
  EMathError(ExprError code, const char* text) noexcept : code_(code), text_(text) {}

 private:
  ExprError code_;
  const char* text_;
};

class EZeroDivide : public EMathError {
 public:
  EZeroDivide() noexcept : EMathError(ExprError::kZeroDivide, msg::kZeroDivide) {}
};

class EOverflow : public EMathError {
 public:
  EOverflow() noexcept : EMathError(ExprError::kOverflow, msg::kOverflow) {}
};

class EInvalidOp : public EMathError {
 public:
  EInvalidOp() noexcept : EMathError(ExprError::kInvalidOperation, msg::kInvalidOp) {}
};

}  // namespace vorla
