// Solving for a variable: inverse trees, refusals with their messages, and
// shared nodes freed exactly once whatever the order of destruction.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <utility>

#include "ExprTestEnv.h"
#include "core/expr/ErrorMessages.h"
#include "core/expr/FloatErrors.h"

namespace vorla::test {
namespace {

struct SolveCase {
  const char* name;
  std::string text;  // solved for x, with y = 1
  float target;
  float solution;
  std::string refusal;  // expected EDespejar message, empty when it solves
};

void PrintTo(const SolveCase& c, std::ostream* os) { *os << c.name << ": " << c.text; }

class SolveTest : public ::testing::TestWithParam<SolveCase> {};

// The message refusing to solve `root` = target for x; empty when it solves.
std::string RefusalOf(TEval* root, float target, TVariable* x) {
  try {
    Solve(*root, std::make_shared<TNum>(target), x);
    return {};
  } catch (const EDespejar& refusal) {
    return refusal.Message();
  }
}

TEST_P(SolveTest, SolvesOrRefuses) {
  const SolveCase& c = GetParam();
  ExprEnv env;
  env.y->SetValue(1);
  env.root.SetText(c.text);
  ASSERT_TRUE(env.root.Compiled()) << env.root.ErrorText();
  if (!c.refusal.empty()) {
    EXPECT_EQ(RefusalOf(env.root.Root(), c.target, env.x), c.refusal);
    return;
  }
  const NodePtr solved = Solve(*env.root.Root(), std::make_shared<TNum>(c.target), env.x);
  EXPECT_FLOAT_EQ(solved->Evaluate(), c.solution);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SolveTest,
    ::testing::Values(
        SolveCase{"product", "x*2", 6, 3, ""},
        SolveCase{"productRight", "2*x", 6, 3, ""},
        SolveCase{"quotientLeft", "x/2", 3, 6, ""},
        SolveCase{"quotientRight", "8/x", 2, 4, ""},
        SolveCase{"differenceRight", "10-x", 4, 6, ""},
        SolveCase{"negation", "-x", 5, -5, ""},
        SolveCase{"exponent", "2^x", 8, 3, ""},
        SolveCase{"base", "x^2", 9, 3, ""},
        SolveCase{"radicand", "x\\2", 3, 9, ""},
        SolveCase{"rootIndex", "8\\x", 2, 3, ""},
        SolveCase{"logArgument", "x\xA3" "2", 3, 8, ""},
        SolveCase{"logBase", "8\xA3x", 3, 2, ""},
        SolveCase{"otherVariableIsConstant", "y+x", 5, 4, ""},
        SolveCase{"inverseFunction", "exp(x)+y", 2, 0, ""},
        SolveCase{"nestedInverses", "sqr(2*x+y)", 9, 1, ""},
        SolveCase{"variableTwice", "x+x", 1, 0, msg::kTooComplex},
        SolveCase{"squareAsProduct", "x*x", 1, 0, msg::kTooComplex},
        SolveCase{"noVariable", "3+4", 1, 0, msg::kNoVariable},
        SolveCase{"constant", "3", 1, 0, msg::kCannotSolve},
        SolveCase{"otherVariable", "y", 1, 0, msg::kCannotSolve},
        SolveCase{"noInverse", "Abs(x)", 1, 0, msg::kNoInverse},
        SolveCase{"noInverseDeepDown", "sen(Abs(x)*2)+1", 0.5f, 0, msg::kNoInverse},
        SolveCase{"listFunction", "Max(x,1)", 1, 0, msg::kCannotSolve},
        SolveCase{"comparison", "x<1", 1, 0, msg::kCannotSolve}),
    [](const auto& info) { return std::string(info.param.name); });

// Counts the live copies of a closure: each TFun0 node built from the maker
// holds one, so a leaked or doubly freed node shows in the count.
struct LiveCounter {
  std::shared_ptr<int> live = std::make_shared<int>(0);
  LiveCounter() { ++*live; }
  LiveCounter(const LiveCounter& other) : live(other.live) { ++*live; }
  ~LiveCounter() { --*live; }
  float operator()() const { return 2.0f; }
};

class SharedNodesTest : public ::testing::Test {
 protected:
  SharedNodesTest() {
    {
      LiveCounter counter;
      live_ = counter.live;
      env_.root.AddFunction0("k", counter, MakerKind::kFunction0, "");
    }
    baseline_ = *live_;
  }
  int LiveNodes() const { return *live_ - baseline_; }

  ExprEnv env_;
  std::shared_ptr<int> live_;
  int baseline_ = 0;
};

TEST_F(SharedNodesTest, SolvedTreeAndOriginalDieInEitherOrder) {
  for (const bool solvedFirst : {true, false}) {
    SCOPED_TRACE(solvedFirst ? "solved tree first" : "original first");
    auto original = std::make_unique<TExpresion>();
    original->SetParent(&env_.root);
    original->SetText("(x+k)*k");
    ASSERT_EQ(LiveNodes(), 2);
    NodePtr solved = Solve(*original->Root(), std::make_shared<TNum>(8), env_.x);
    EXPECT_EQ(LiveNodes(), 2) << "the solved tree shares, not copies";
    if (solvedFirst) {
      solved.reset();
      env_.x->SetValue(1);
      EXPECT_FLOAT_EQ(original->GetValue(), 6.0f);
      original.reset();
    } else {
      original.reset();
      EXPECT_EQ(LiveNodes(), 2) << "the solved tree keeps what it shares";
      EXPECT_FLOAT_EQ(solved->Evaluate(), 2.0f);
      solved.reset();
    }
    EXPECT_EQ(LiveNodes(), 0);
  }
}

TEST_F(SharedNodesTest, RefusalReleasesTheNodesBuiltOnTheWay) {
  env_.root.SetText("sen(Abs(x)*2)+k");
  ASSERT_EQ(LiveNodes(), 1);
  NodePtr target = NewOp(NodeKind::kAdd, std::make_shared<TNum>(1), Make(*env_.root.Functions().Find("k")->Maker, {}));
  ASSERT_EQ(LiveNodes(), 2);
  EXPECT_THROW(Solve(*env_.root.Root(), std::move(target), env_.x), EDespejar);
  EXPECT_EQ(LiveNodes(), 1) << "target and inverse nodes are gone";
}

TEST_F(SharedNodesTest, DefinitionsAreFreedOnceWhereverUsed) {
  env_.root.SetText("a:k;b:a;c:a*b;a+b+c");
  EXPECT_EQ(LiveNodes(), 1);
  env_.x->SetValue(0);
  EXPECT_FLOAT_EQ(env_.root.GetValue(), 8.0f);
  env_.root.SetText("a:k;b:a;b");
  EXPECT_EQ(LiveNodes(), 1) << "the root is a definition itself";
  env_.root.SetText("k+k");
  EXPECT_EQ(LiveNodes(), 2);
  env_.root.SetText("1");
  EXPECT_EQ(LiveNodes(), 0);
}

TEST_F(SharedNodesTest, AbandonedSplitsLeaveNothingBehind) {
  env_.root.SetText("(k)+(k)+max(1)");
  EXPECT_FALSE(env_.root.Compiled());
  env_.root.SetText("(k+k)*Si(k>1,k,'no')+unknown");
  EXPECT_FALSE(env_.root.Compiled());
  env_.root.SetText("k*(1/0)");
  EXPECT_EQ(env_.root.ErrorCode(), 11);
  EXPECT_EQ(LiveNodes(), 0);
}

// Every catalog function of one argument with its inverse: solving f(x) = f(x0)
// gives back x0; a function registered without an inverse refuses.
TEST(CatalogInverseTest, SolvingUndoesEachFunction) {
  struct Row {
    const char* name;
    float x0;
  };
  for (const Row& row : {Row{"sin", 0.5f}, {"cos", 0.5f}, {"tan", 0.5f}, {"arcsin", 0.5f}, {"arccos", 0.5f},
                         {"arctan", 0.5f}, {"sinh", 0.5f}, {"cosh", 1.5f}, {"tanh", 0.5f}, {"arcsinh", 0.5f},
                         {"arccosh", 1.5f}, {"arctanh", 0.5f}, {"Rcp", 4.0f}, {"ln", 2.0f}, {"log", 2.0f},
                         {"sqr", 3.0f}, {"sqrt", 9.0f}, {"exp", 2.0f}, {"exp10", 2.0f}}) {
    SCOPED_TRACE(row.name);
    ExprEnv env;
    env.root.SetText(std::string(row.name) + "(x)");
    env.x->SetValue(row.x0);
    const float target = env.root.GetValue();
    ASSERT_FALSE(env.root.HasError()) << env.root.ErrorText();
    const NodePtr solved = Solve(*env.root.Root(), std::make_shared<TNum>(target), env.x);
    EXPECT_NEAR(solved->Evaluate(), row.x0, 1e-5f * row.x0);
  }
  for (const char* name : {"sec", "cosec", "cotan", "GMS", "Abs", "Int", "Rd", "Frac"}) {
    SCOPED_TRACE(name);
    ExprEnv env;
    env.root.SetText(std::string(name) + "(x)");
    EXPECT_EQ(RefusalOf(env.root.Root(), 1, env.x), msg::kNoInverse);
  }
}

}  // namespace
}  // namespace vorla::test
