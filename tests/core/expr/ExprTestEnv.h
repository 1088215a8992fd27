#pragma once
// Shared fixture of the expression tests: a root expression with the catalog
// and the variables x and y, as the plotted function has them.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "core/expr/Expresion.h"

namespace vorla::test {

enum class Stage { kValue, kCompileError, kEvalError };

// One expected outcome of compiling and evaluating a text.
struct Outcome {
  Stage stage = Stage::kValue;
  float value = 0;
  int code = 0;
  std::string text;  // error text (Windows-1252); empty: not checked
};

inline Outcome Value(float value) { return {Stage::kValue, value, 0, {}}; }
inline Outcome CompileError(int code, std::string text = {}) {
  return {Stage::kCompileError, 0, code, std::move(text)};
}
inline Outcome EvalError(int code, std::string text = {}) {
  return {Stage::kEvalError, 0, code, std::move(text)};
}

class ExprEnv {
 public:
  ExprEnv() {
    root.SetWantsCatalog(true);
    x = root.AddVariable("x");
    y = root.AddVariable("y");
  }

  // Compiles `text` afresh (an equal text would not recompile) at (xv, yv).
  void Check(const std::string& text, float xv, float yv, const Outcome& expected) {
    root.SetText("\x01");
    root.SetText(text);
    x->SetValue(xv);
    y->SetValue(yv);
    float value = 0;
    if (expected.stage == Stage::kCompileError) {
      EXPECT_FALSE(root.Compiled());
    } else {
      ASSERT_TRUE(root.Compiled()) << root.ErrorText();
      value = root.GetValue();
    }
    if (expected.stage == Stage::kValue) {
      EXPECT_FALSE(root.HasError()) << root.ErrorText();
      EXPECT_FLOAT_EQ(value, expected.value);
      return;
    }
    EXPECT_TRUE(root.HasError());
    EXPECT_EQ(root.ErrorCode(), expected.code);
    if (!expected.text.empty()) { EXPECT_EQ(root.ErrorText(), expected.text); }
  }

  TExpresion root;
  TVariable* x;
  TVariable* y;
};

// A table row: a text evaluated at (x, y).
struct ExprCase {
  const char* name;
  std::string text;
  float x;
  float y;
  Outcome expected;
};

inline void PrintTo(const ExprCase& c, std::ostream* os) { *os << c.name << ": " << c.text; }

inline std::string CaseName(const ::testing::TestParamInfo<ExprCase>& info) { return info.param.name; }

class ExprCaseTest : public ::testing::TestWithParam<ExprCase> {
 protected:
  void RunCase() {
    const ExprCase& c = GetParam();
    env_.Check(c.text, c.x, c.y, c.expected);
  }
  ExprEnv env_;
};

}  // namespace vorla::test
