#pragma once
// Every Spanish message of the expression language, in Windows-1252, with an
// input that produces it.

#include <string>

#include "core/expr/ErrorCodes.h"

namespace vorla::msg {

// Floating-point faults (ExprError::kZeroDivide, kOverflow, kInvalidOperation).
inline constexpr const char* kZeroDivide = "Divisi\xF3n de punto flotante entre cero";  // "1/0"
inline constexpr const char* kOverflow = "Desbordamiento de punto flotante";           // "10^39"
inline constexpr const char* kInvalidOp = "Operaci\xF3n de punto flotante inv\xE1lida";  // "ln(-1)"
// Codes that no fault of this evaluator raises, kept for the per-code counts.
inline constexpr const char* kUnderflow = "Subdesbordamiento de punto flotante";           // 13
inline constexpr const char* kInvalidArgument =
    "Argumento inv\xE1lido de una funci\xF3n matem\xE1tica";                             // 14
inline constexpr const char* kEvaluationFailed = "Error al evaluar la expresi\xF3n";     // 19
inline constexpr const char* kUnknownError = "Error desconocido en la expresi\xF3n";     // other codes
// The text of an error other than kCompileFailure and kMessage (those carry their own).
const char* ForCode(ExprError error);

// Compile checks.
inline constexpr const char* kMissingExpression = "Falta expresi\xF3n";                 // "", "2+"
inline constexpr const char* kMissingIdentifier = "Falta indentificador de expresi\xF3n";  // "x;y"
inline constexpr const char* kOperatorAtEdge =
    "Operador al principio o al final de la expresi\xF3n";                                // "*x", "x+"
inline constexpr const char* kTextTooLong =
    "Expresi\xF3n demasiado larga (m\xE1ximo 4000 caracteres)";                           // 4001 chars
// "x*/y" gives "Dos operadores seguidos: */".
std::string TwoOperators(char first, char second);
// "(x))" gives "... #1" (a ")" before its "("), "(x" gives "... #2".
std::string Unbalanced(bool closesTooEarly);
// "foo(x)" gives "Nombre desconocido: "foo(x)"".
std::string UnknownName(const std::string& text);
// Argument counts; `name` is the called name in upper case.
std::string TakesNoArguments(const std::string& name);                  // "Pi(1)"
std::string TooManyExactly(const std::string& name, int count);         // "sen(1,2)"
std::string TooFewExactly(const std::string& name, int count);          // "hipot(1)"
std::string TakesAtMost(const std::string& name, int count);            // 256 arguments of "Max"
std::string TakesAtLeast(const std::string& name, int count);           // "Max(1)"

// Solving for a variable.
inline constexpr const char* kCannotSolve = "No se puede despejar";                          // "3", "y"
inline constexpr const char* kNoVariable = "No se encuentra variable para despejar";         // "3+4"
inline constexpr const char* kTooComplex = "Expresi\xF3n demasiado compleja para despejar";  // "x+x"
inline constexpr const char* kNoInverse = "Una o mas funciones no se pueden despejar";       // "Abs(x)"

// Digit reading of number text: "?" read as a digit.
inline constexpr const char* kBadDigit = "Error de sintaxis (Caracter no reconocido)";

}  // namespace vorla::msg
