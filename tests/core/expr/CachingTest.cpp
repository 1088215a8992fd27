// The IsUnchanged caching protocol, one computation per node and evaluation
// point, error state across evaluations (no stale value after a failure),
// shared function lists and change notification.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "ExprTestEnv.h"
#include "core/expr/ErrorMessages.h"

namespace vorla::test {
namespace {

int g_calls = 0;
float CountedIdentity(float v) {
  ++g_calls;
  return v;
}

class CachingTest : public ::testing::Test {
 protected:
  CachingTest() {
    env_.root.AddFunction1("Cuenta", CountedIdentity, nullptr, "");
    g_calls = 0;
  }
  ExprEnv env_;
};

TEST_F(CachingTest, FunctionOfTheRowVariableComputesOncePerRow) {
  env_.root.SetText("Cuenta(y)+x");
  env_.y->SetValue(3);
  for (int column = 0; column < 5; ++column) {
    env_.x->SetValue(static_cast<float>(column));
    EXPECT_FLOAT_EQ(env_.root.GetValue(), 3.0f + column);
  }
  EXPECT_EQ(g_calls, 1);
  env_.y->SetValue(4);
  EXPECT_FLOAT_EQ(env_.root.GetValue(), 8.0f);
  EXPECT_EQ(g_calls, 2);
}

TEST_F(CachingTest, NothingReassignedMeansNothingEvaluated) {
  env_.root.SetText("Cuenta(x)");
  env_.x->SetValue(2);
  env_.root.GetValue();
  env_.root.GetValue();
  EXPECT_EQ(g_calls, 1);
  env_.root.SetText("Cuenta(3)*Cuenta(x)");
  EXPECT_EQ(g_calls, 2) << "a constant argument computes while compiling";
  env_.root.GetValue();
  env_.root.GetValue();
  EXPECT_EQ(g_calls, 3);
}

// x>=(x>=(...(x>=Cuenta(x))...)) and a0:Cuenta(x)+1;a1:a0+a0;...;a60, 60 deep.
std::string NestedComparisons() {
  std::string text = "x>=Cuenta(x)";
  for (int level = 1; level < 60; ++level) text.insert(0, "x>=(").append(")");
  return text;
}
std::string DoublingDefinitions() {
  std::string text = "a0:Cuenta(x)+1;";
  for (int i = 1; i <= 60; ++i) {
    const std::string previous = std::to_string(i - 1);
    text.append("a").append(std::to_string(i)).append(":a").append(previous).append("+a").append(previous).append(";");
  }
  return text.append("a60");
}

// A definition is one node read by several parents, as a failing comparison
// reads its operands twice; 60 levels deep, naive evaluation doubles the work
// per level. Each text must compute its counted node once per point, and
// every reader must see the next point's x whichever reads it first.
TEST_F(CachingTest, EveryNodeComputesOncePerPoint) {
  struct Row {
    const char* name;
    std::string text;
    float x1, value1, x2, value2;
  };
  const Row rows[] = {
      // Levels alternate at x = 0.5: 1, -1, 1, ... the 60th is -1.
      {"failing comparisons nested 60 deep", NestedComparisons(), 0.5f, -1.0f, 1.0f, 1.0f},
      {"definitions doubling 60 times", DoublingDefinitions(), 1.0f, 0x1p61f, -0.5f, 0x1p59f},
      {"operator reads the definition first", "a:x;a+Cuenta(a)", 1.0f, 2.0f, 4.0f, 8.0f},
      {"function reads the definition first", "a:x;Cuenta(a)*a", 2.0f, 4.0f, 3.0f, 9.0f},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    env_.root.SetText(row.text);
    ASSERT_TRUE(env_.root.Compiled()) << env_.root.ErrorText();
    g_calls = 0;
    env_.x->SetValue(row.x1);
    EXPECT_FLOAT_EQ(env_.root.GetValue(), row.value1);
    EXPECT_EQ(g_calls, 1);
    env_.x->SetValue(row.x2);
    EXPECT_FLOAT_EQ(env_.root.GetValue(), row.value2);
    EXPECT_EQ(g_calls, 2);
  }
  env_.root.SetText("a:Ale;a-a");
  for (int i = 0; i < 5; ++i) EXPECT_EQ(env_.root.GetValue(), 0.0f) << "one random value per point";
}

// The plot assigns y once per row and x per pixel: with y < 0 every pixel of
// the row must fail, never answer ln of another row's y.
TEST_F(CachingTest, FailedRowNeverAnswersAStaleValue) {
  env_.root.SetText("ln(y)+x");
  env_.y->SetValue(std::exp(1.0f));
  env_.x->SetValue(0);
  EXPECT_FLOAT_EQ(env_.root.GetValue(), 1.0f);
  for (const float y : {-1.0f, 0.0f}) {
    SCOPED_TRACE(y);
    env_.y->SetValue(y);
    for (int column = 0; column < 4; ++column) {
      env_.x->SetValue(static_cast<float>(column));
      env_.root.GetValue();
      EXPECT_TRUE(env_.root.HasError());
      EXPECT_EQ(env_.root.ErrorCode(), y < 0 ? 15 : 11);
    }
  }
  env_.y->SetValue(1);
  env_.x->SetValue(5);
  EXPECT_FLOAT_EQ(env_.root.GetValue(), 5.0f);
  EXPECT_FALSE(env_.root.HasError());
}

TEST_F(CachingTest, FailureKeepsLastGoodValueUntilNextSuccess) {
  env_.root.SetText("1/x");
  env_.x->SetValue(2);
  EXPECT_FLOAT_EQ(env_.root.GetValue(), 0.5f);
  env_.x->SetValue(0);
  EXPECT_FLOAT_EQ(env_.root.GetValue(), 0.5f);
  EXPECT_TRUE(env_.root.HasError());
  EXPECT_EQ(env_.root.ErrorText(), msg::kZeroDivide);
  EXPECT_FLOAT_EQ(env_.root.GetValue(), 0.5f) << "unchanged tree keeps its error state";
  EXPECT_TRUE(env_.root.HasError());
  env_.x->SetValue(4);
  EXPECT_FLOAT_EQ(env_.root.GetValue(), 0.25f);
  EXPECT_FALSE(env_.root.HasError());
  EXPECT_EQ(env_.root.ErrorCode(), 0);
}

TEST_F(CachingTest, FunctionWithoutArgumentsRunsEveryTime) {
  std::vector<float> values;
  env_.root.SetText("Ale");
  for (int i = 0; i < 50; ++i) values.push_back(env_.root.GetValue());
  for (const float v : values) {
    EXPECT_GE(v, 0.0f);
    EXPECT_LT(v, 1.0f);
  }
  EXPECT_NE(values.front(), values.back());
}

TEST_F(CachingTest, ChildrenShareTheRootList) {
  TExpresion child;
  child.SetParent(&env_.root);
  TVariable* z = child.AddVariable("z/zeta");
  child.SetText("zeta*2+x");
  env_.root.SetText("z");
  z->SetValue(3);
  env_.x->SetValue(1);
  EXPECT_FLOAT_EQ(child.GetValue(), 7.0f);
  EXPECT_FLOAT_EQ(env_.root.GetValue(), 3.0f);
  EXPECT_EQ(&child.Functions(), &env_.root.Functions());
}

TEST_F(CachingTest, OnChangeOnlyForNewTexts) {
  int changes = 0;
  env_.root.OnChange = [&](TExpresion&) { ++changes; };
  env_.root.SetText("x+1");
  env_.root.SetText("x+1");
  env_.root.SetText("x+2");
  EXPECT_EQ(changes, 2);
}

TEST(ListWithoutCatalogTest, HoldsConditionalAndLogarithmOnly) {
  TExpresion bare;
  for (const char* name : {"Si", "If", "LogBase", "LogN"}) EXPECT_NE(bare.Functions().Find(name), nullptr) << name;
  EXPECT_EQ(bare.Functions().Entries().size(), 4u);
  EXPECT_EQ(bare.Functions().Find("si")->Maker, bare.Functions().Find("IF")->Maker);
  bare.SetText("LogN(8,2)");
  EXPECT_FLOAT_EQ(bare.GetValue(), 3.0f);
  bare.SetText("sin(1)");
  EXPECT_EQ(bare.ErrorCode(), 18);
}

}  // namespace
}  // namespace vorla::test
