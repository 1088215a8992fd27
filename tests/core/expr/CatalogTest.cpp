// Built-in catalog: values and faults of the functions, names and aliases,
// argument counts, and the random generator.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ExprTestEnv.h"
#include "core/expr/Catalog.h"
#include "core/expr/ErrorMessages.h"

namespace vorla::test {
namespace {

const float kPi = 3.14159274f;

using CatalogTest = ExprCaseTest;
TEST_P(CatalogTest, Evaluates) { RunCase(); }

INSTANTIATE_TEST_SUITE_P(
    Functions, CatalogTest,
    ::testing::Values(
        ExprCase{"sineOfHalfPi", "sen(Pi/2)", 0, 0, Value(1)},
        ExprCase{"arcsineOutOfRange", "arcsen(x)", 2, 0, EvalError(15)},
        ExprCase{"arccosine", "arccos(x)", -1, 0, Value(kPi)},
        ExprCase{"cosecantOfZero", "cosec(x)", 0, 0, EvalError(11)},
        ExprCase{"cotangentOfZero", "cotan(x)", 0, 0, EvalError(11)},
        ExprCase{"secantOfZero", "sec(x)", 0, 0, Value(1)},
        ExprCase{"roundHalfUp", "Rd(x)", 2.5f, 0, Value(3)},
        ExprCase{"roundHalfDown", "Rd(x)", -2.5f, 0, Value(-3)},
        ExprCase{"roundDown", "Rd(x)", 2.4f, 0, Value(2)},
        ExprCase{"integerPartTruncates", "Int(x)", -2.7f, 0, Value(-2)},
        ExprCase{"fractionKeepsSign", "Frac(x)", -2.5f, 0, Value(-0.5f)},
        ExprCase{"remainder", "Resto(7,x)", 3, 0, Value(1)},
        ExprCase{"remainderSignOfDividend", "Resto(-7,x)", 3, 0, Value(-1)},
        ExprCase{"remainderNegativeDivisor", "Mod(7,x)", -3, 0, Value(1)},
        ExprCase{"remainderFractional", "Resto(7.5,x)", 2, 0, Value(1.5f)},
        ExprCase{"remainderByZero", "Resto(1,x)", 0, 0, EvalError(11)},
        ExprCase{"remainderZeroByZero", "Resto(0,x)", 0, 0, EvalError(15)},
        ExprCase{"maximum", "Max(1,x,3)", 5, 0, Value(5)},
        ExprCase{"minimum", "Min(4,x,7)", -2, 0, Value(-2)},
        ExprCase{"mean", "Prom(1,x)", 2, 0, Value(1.5f)},
        ExprCase{"sum", "Suma(1,2,x)", 3, 0, Value(6)},
        ExprCase{"hypotenuse", "hipot(x,4)", 3, 0, Value(5)},
        ExprCase{"hypotenuseWithoutOverflow", "hipot(x,x)", 3e38f, 0, EvalError(12)},
        ExprCase{"angleUp", "ang(0,x)", 1, 0, Value(kPi / 2)},
        ExprCase{"angleLeft", "arg(x,0)", -1, 0, Value(kPi)},
        ExprCase{"conditionalTrue", "Si(x>0,1,2)", 1, 0, Value(1)},
        ExprCase{"conditionalFalse", "If(x>0,1,2)", 0, 0, Value(2)},
        ExprCase{"conditionalSkipsBranch", "Si(x>0,x,'negativo')", 1, 0, Value(1)},
        ExprCase{"conditionalMessage", "Si(x>0,x,'negativo')", -1, 0, EvalError(20, "negativo")},
        ExprCase{"logBase", "LogBase(8,x)", 2, 0, Value(3)},
        ExprCase{"logN", "LogN(8,x)", 2, 0, Value(3)},
        ExprCase{"degreesMinutesSeconds", "GMS(x)", 45, 0, Value(kPi / 4)},
        ExprCase{"degreesAndMinutes", "GMS(x)", 12.3f, 0, Value(0.218166156f)},
        ExprCase{"expOverflows", "exp(x)", 89, 0, EvalError(12)},
        ExprCase{"expInRange", "exp(x)", 88, 0, Value(std::exp(88.0f))},
        ExprCase{"coshOverflows", "cosh(x)", 89.5f, 0, EvalError(12)},
        ExprCase{"arccoshBelowOne", "arccosh(x)", 0.5f, 0, Value(0)},
        ExprCase{"arctanhOfOne", "arctanh(x)", 1, 0, EvalError(12)},
        ExprCase{"arctanh", "arctgh(x)", 0.5f, 0, Value(std::atanh(0.5f))},
        ExprCase{"arcsinhOdd", "arcsenh(x)", -2, 0, Value(std::asinh(-2.0f))},
        ExprCase{"arcsinhHuge", "arcsinh(x)", 1e20f, 0, Value(std::asinh(1e20f))},
        ExprCase{"lnOfZero", "ln(x)", 0, 0, EvalError(11)},
        ExprCase{"logOfNegative", "log(x)", -1, 0, EvalError(15)},
        ExprCase{"logBaseTen", "log(x)", 1000, 0, Value(3)},
        ExprCase{"squareRootOfNegative", "raiz(x)", -1, 0, EvalError(15)},
        ExprCase{"reciprocalOfZero", "Rcp(x)", 0, 0, EvalError(11)},
        ExprCase{"exp10IntegerPower", "exp10(x)", -2, 0, Value(0.01f)},
        ExprCase{"constantPi", "Pi", 0, 0, Value(kPi)},
        ExprCase{"constantRootTwo", "R2", 0, 0, Value(1.41421354f)},
        ExprCase{"constantE", "e", 0, 0, Value(2.71828175f)}),
    CaseName);

TEST(CatalogNamesTest, AliasesShareTheirMaker) {
  ExprEnv env;
  const TFunctionList& list = env.root.Functions();
  for (const auto& [name, alias] :
       {std::pair{"sin", "sen"}, {"tan", "tg"}, {"cotan", "cotg"}, {"arcsin", "arcsen"}, {"arccos", "arcos"},
        {"arctan", "arctg"}, {"ang", "arg"}, {"sinh", "senh"}, {"tanh", "tgh"}, {"arcsinh", "arcsenh"},
        {"arccosh", "arcosh"}, {"arctanh", "arctgh"}, {"sqr", "cuad"}, {"sqrt", "raiz"}, {"Ale", "Rnd"},
        {"Int", "Ent"}, {"Resto", "Mod"}, {"Si", "If"}, {"LogBase", "LogN"}}) {
    SCOPED_TRACE(name);
    ASSERT_NE(list.Find(name), nullptr);
    ASSERT_NE(list.Find(alias), nullptr);
    EXPECT_EQ(list.Find(name)->Maker, list.Find(alias)->Maker);
  }
}

TEST(CatalogNamesTest, EntriesCarryKindAndArgumentCounts) {
  ExprEnv env;
  const TFunctionList& list = env.root.Functions();
  struct Row {
    const char* name;
    MakerKind kind;
    int minArgs, maxArgs;
  };
  for (const Row& row : {Row{"Pi", MakerKind::kConstant, 0, 0},
                         Row{"x", MakerKind::kVariable, 0, 0},
                         Row{"sen", MakerKind::kFunction1, 1, 1},
                         Row{"Ale", MakerKind::kFunction1, 0, 0},
                         Row{"Max", MakerKind::kFunctionN, 2, 255},
                         Row{"hipot", MakerKind::kFunctionN, 2, 2},
                         Row{"Si", MakerKind::kFunctionN, 3, 3}}) {
    SCOPED_TRACE(row.name);
    const TFunctionEntry* entry = list.Find(row.name);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->Maker->Kind, row.kind);
    EXPECT_EQ(entry->Maker->MinArgs, row.minArgs);
    EXPECT_EQ(entry->Maker->MaxArgs, row.maxArgs);
  }
}

TEST(CatalogNamesTest, NodeIsNamedAsRegistered) {
  ExprEnv env;
  env.root.SetText("SEN(x)");
  EXPECT_EQ(env.root.Root()->Text, "sen");
  env.root.SetText("sin(x)");
  EXPECT_EQ(env.root.Root()->Text, "sin");
}

TEST(CatalogNamesTest, ArgumentListsUpTo255) {
  ExprEnv env;
  std::string args = "1";
  for (int i = 2; i <= 255; ++i) args.append(",").append(std::to_string(i));
  env.Check("Max(" + args + ")", 0, 0, Value(255));
  env.Check("Max(" + args + ",256)", 0, 0, CompileError(0, msg::TakesAtMost("MAX", 255)));
}

TEST(CatalogRandomTest, SeedingRepeatsTheSequence) {
  ExprEnv env;
  env.root.SetText("Ale");
  SeedRandom(42);
  const float first = env.root.GetValue();
  const float second = env.root.GetValue();
  SeedRandom(42);
  EXPECT_EQ(env.root.GetValue(), first);
  EXPECT_EQ(env.root.GetValue(), second);
}

}  // namespace
}  // namespace vorla::test
