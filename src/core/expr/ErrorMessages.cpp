#include "core/expr/ErrorMessages.h"

namespace vorla::msg {

const char* ForCode(ExprError error) {
  switch (error) {
    case ExprError::kZeroDivide: return kZeroDivide;
    case ExprError::kOverflow: return kOverflow;
    case ExprError::kUnderflow: return kUnderflow;
    case ExprError::kInvalidArgument: return kInvalidArgument;
    case ExprError::kInvalidOperation: return kInvalidOp;
    case ExprError::kEvaluationFailure: return kEvaluationFailed;
    case ExprError::kNone:
    case ExprError::kCompileFailure:
    case ExprError::kMessage: break;
  }
  return kUnknownError;
}

std::string TwoOperators(char first, char second) {
  return std::string("Dos operadores seguidos: ") + first + second;
}

std::string Unbalanced(bool closesTooEarly) {
  return std::string("Par\xE9ntesis desbalanceados") + (closesTooEarly ? " #1" : " #2");
}

std::string UnknownName(const std::string& text) {
  return "Nombre desconocido: \"" + text + "\"";
}

std::string TakesNoArguments(const std::string& name) {
  return "La funci\xF3n " + name + " no lleva argumentos";
}

std::string TooManyExactly(const std::string& name, int count) {
  return "La funci\xF3n " + name + " lleva exactamente " + std::to_string(count) +
         " argumento(s): sobran argumentos";
}

std::string TooFewExactly(const std::string& name, int count) {
  return "La funci\xF3n " + name + " lleva exactamente " + std::to_string(count) +
         " argumento(s): faltan argumentos";
}

std::string TakesAtMost(const std::string& name, int count) {
  return "La funci\xF3n " + name + " lleva como m\xE1ximo " + std::to_string(count) +
         " argumentos";
}

std::string TakesAtLeast(const std::string& name, int count) {
  return "La funci\xF3n " + name + " lleva al menos " + std::to_string(count) + " argumentos";
}

}  // namespace vorla::msg
