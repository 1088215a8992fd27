// Parser: grammar levels and their quirks, numbers, definitions, and which
// check's message a failed compile reports.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "ExprTestEnv.h"
#include "core/expr/ErrorMessages.h"

namespace vorla::test {
namespace {

const float kE = 2.71828175f;

using GrammarTest = ExprCaseTest;
TEST_P(GrammarTest, CompilesAndEvaluates) { RunCase(); }

INSTANTIATE_TEST_SUITE_P(
    Grammar, GrammarTest,
    ::testing::Values(
        ExprCase{"implicitProductWithName", "2x", 2, 3, Value(4)},
        ExprCase{"implicitProductWithCall", "3sin(x)", 2, 3, Value(3 * std::sin(2.0f))},
        ExprCase{"implicitProductTakesWholePower", "2x^2", 2, 3, Value(8)},
        ExprCase{"implicitProductAfterExponent", "2.5e3y", 2, 3, Value(7500)},
        ExprCase{"zeroIsNoFactor", "0x", 2, 3, CompileError(18, msg::UnknownName("0x"))},
        ExprCase{"juxtaposedParentheses", "(x+1)(x-1)", 2, 3, Value(3)},
        ExprCase{"juxtaposedTooEarly", "(x)(y)", 2, 3, CompileError(0, msg::Unbalanced(true))},
        ExprCase{"unclosedCall", "sin(x", 2, 3, CompileError(0, msg::Unbalanced(false))},
        ExprCase{"negationOfPower", "-x^2", 2, 3, Value(-4)},
        ExprCase{"negationOfProduct", "-x*y", 2, 3, Value(-6)},
        ExprCase{"powerGroupsLeft", "2^3^2", 2, 3, Value(64)},
        ExprCase{"negativeExponent", "2^-1", 2, 3, Value(0.5f)},
        ExprCase{"negativeNumberFactor", "2*-3", 2, 3, Value(-6)},
        ExprCase{"negatedNameIsUnknown", "2*-x", 2, 3, CompileError(18, msg::UnknownName("-x"))},
        ExprCase{"negatedNameInParentheses", "2*(-x)", 2, 3, Value(-4)},
        ExprCase{"subtractionGroupsLeft", "10-4-3", 2, 3, Value(3)},
        ExprCase{"divisionGroupsLeft", "12/3*2", 2, 3, Value(8)},
        ExprCase{"andThenOr", "-1&1$1", 2, 3, Value(1)},
        ExprCase{"orThenAnd", "1$1&-1", 2, 3, Value(-1)},
        ExprCase{"doubleEquals", "x==2", 2, 3, Value(1)},
        ExprCase{"greaterEqualReversed", "x=>2", 2, 3, Value(1)},
        ExprCase{"lessEqualReversed", "x=<1", 2, 3, Value(-1)},
        ExprCase{"notEqualReversed", "x><2", 2, 3, Value(-1)},
        ExprCase{"notEqual", "x<>y", 2, 3, Value(1)},
        ExprCase{"doubleLess", "x<<y", 2, 3, Value(1)},
        ExprCase{"doubleGreater", "x>>y", 2, 3, Value(-1)},
        ExprCase{"comparisonChain", "1<x<y", 2, 3, Value(1)},
        ExprCase{"exponentNumber", "2e3", 2, 3, Value(2000)},
        ExprCase{"numberTimesConstantE", "2e", 2, 3, Value(2 * kE)},
        ExprCase{"exponentWithoutMantissa", "e2", 2, 3, Value(0)},
        ExprCase{"constantETimesTwo", "e*2", 2, 3, Value(2 * kE)},
        ExprCase{"constantEMinusTwo", "e-2", 2, 3, Value(kE - 2)},
        ExprCase{"negativeExponentNumber", "1e-2", 2, 3, Value(0.01f)},
        ExprCase{"negativeExponentProduct", "2e-3x", 2, 3, Value(0.004f)},
        ExprCase{"leadingPoint", ".5x", 2, 3, Value(1)},
        ExprCase{"binary", "b101", 2, 3, Value(5)},
        ExprCase{"binarySignBit", "b1111111111111111", 2, 3, Value(-1)},
        ExprCase{"hexadecimal", "hFF", 2, 3, Value(255)},
        ExprCase{"hexadecimalTwosComplement", "hFFFFFFFF", 2, 3, Value(-1)},
        ExprCase{"octal", "o17", 2, 3, Value(15)},
        ExprCase{"upperCasePrefixIsAName", "B101", 2, 3, CompileError(18, msg::UnknownName("B101"))},
        ExprCase{"literalBeyondFloat", "1e39", 2, 3, CompileError(12, msg::kOverflow)},
        ExprCase{"tinyLiteralUnderflows", "1e-50+x", 2, 3, Value(2)},
        ExprCase{"definitions", "a:x^2;b:y^2;a+b", 2, 3, Value(13)},
        ExprCase{"firstDefinitionWins", "a:1;a:2;a", 2, 3, Value(1)},
        ExprCase{"definitionOfDefinition", "a:x;b:a;a*b", 2, 3, Value(4)},
        ExprCase{"definitionWithoutName", "x;y", 2, 3, CompileError(18, msg::kMissingIdentifier)},
        ExprCase{"textSubstitution", "k:\"3\";k*x", 2, 3, Value(6)},
        ExprCase{"substitutionInsideNames", "e:\"2\";exp(x)", 2, 3,
                 CompileError(18, msg::UnknownName("xp(x)"))},
        ExprCase{"commentsAndBlanks", "{doble} 2 *\tx\r\n", 2, 3, Value(4)},
        ExprCase{"upperCaseNames", "SEN(PI/2)", 2, 3, Value(1)},
        ExprCase{"functionWithoutArguments", "Ale*0", 2, 3, Value(0)},
        ExprCase{"emptyCallIsUnknown", "Ale()", 2, 3, CompileError(18, msg::UnknownName("Ale()"))},
        ExprCase{"badArgumentIsUnknownCall", "sin(2*)", 2, 3,
                 CompileError(18, msg::UnknownName("sin(2*)"))},
        ExprCase{"tooFewArguments", "max(1)", 2, 3, CompileError(0, msg::TakesAtLeast("MAX", 2))},
        ExprCase{"tooFewExactly", "hipot(1)", 2, 3, CompileError(0, msg::TooFewExactly("HIPOT", 2))},
        ExprCase{"tooManyExactly", "sen(1,2)", 2, 3, CompileError(0, msg::TooManyExactly("SEN", 1))},
        ExprCase{"argumentsToAConstant", "Pi(1)", 2, 3, CompileError(0, msg::TakesNoArguments("PI"))},
        ExprCase{"emptyText", "", 2, 3, CompileError(0, msg::kMissingExpression)},
        ExprCase{"operatorAtStart", "*x", 2, 3, CompileError(0, msg::kOperatorAtEdge)},
        ExprCase{"operatorAtEnd", "x-", 2, 3, CompileError(0, msg::kOperatorAtEdge)},
        ExprCase{"twoOperators", "x**2", 2, 3, CompileError(0, msg::TwoOperators('*', '*'))},
        ExprCase{"constantDivisionByZero", "1/0", 2, 3, CompileError(11, msg::kZeroDivide)},
        ExprCase{"divisionByZero", "x/0", 2, 3, EvalError(11, msg::kZeroDivide)},
        ExprCase{"zeroOverZero", "x/0", 0, 3, EvalError(15, msg::kInvalidOp)},
        ExprCase{"message", "'hola mundo'", 2, 3, EvalError(20, "holamundo")},
        ExprCase{"loneQuoteIsAnEmptyMessage", "x+'", 2, 3, EvalError(20)}),
    CaseName);

TEST(GrammarLimitsTest, TextLengthIsBounded) {
  ExprEnv env;
  {
    SCOPED_TRACE("blanks and comments do not count");
    env.Check("x" + std::string(TExpresion::MaxTextLength, ' ') + "{" +
                  std::string(TExpresion::MaxTextLength, 'c') + "}",
              2, 3, Value(2));
  }

  std::string sum = "x";
  while (sum.size() + 2 <= TExpresion::MaxTextLength) sum += "+x";
  {
    SCOPED_TRACE("a sum at the limit");
    env.Check(sum, 1, 0, Value(static_cast<float>((sum.size() + 1) / 2)));
  }
  {
    SCOPED_TRACE("one character more");
    env.Check(sum + "+x", 1, 0, CompileError(18, msg::kTextTooLong));
  }
  {
    SCOPED_TRACE("substitutions that grow the text");
    env.Check("a:\"xxxxxxxxxxxxxxxxxxxx\";b:\"aaaaaaaaaaaaaaaaaaaa\";c:\"bbbbbbbbbbbbbbbbbbbb\";c", 1, 0,
              CompileError(18, msg::kTextTooLong));
  }
}

TEST(GrammarLimitsTest, WorstShapesCompileWithTheirResults) {
  ExprEnv env;
  const auto repeat = [](const std::string& piece, int n) {
    std::string text;
    for (int i = 0; i < n; ++i) text += piece;
    return text;
  };
  {
    SCOPED_TRACE("deep parentheses");
    env.Check(repeat("(", 1990) + "x" + repeat(")", 1990), 2, 0, Value(2));
  }
  {
    SCOPED_TRACE("nested sums");
    env.Check(repeat("(x+", 990) + "x" + repeat(")", 990), 1, 0, Value(991));
  }
  {
    // The last check that fails is the parenthesized form of the whole text.
    SCOPED_TRACE("a sum whose last term fails");
    env.Check(repeat("(x)+", 900) + "max(1)", 1, 0, CompileError(0, msg::Unbalanced(true)));
  }
  {
    // "max(" then "1)+max(1" as its argument: a failed call is an unknown name.
    SCOPED_TRACE("a long chain of failing terms");
    env.Check("max(1)" + repeat("+max(1)", 500), 1, 0,
              CompileError(18, msg::UnknownName("max(1)+max(1)")));
  }
}

TEST(TextHelpersTest, NormalizeSplitPreprocess) {
  EXPECT_EQ(TExpresion::NormalizeOperators("x**2//3"), "x^2\\3");
  EXPECT_EQ(TExpresion::NormalizeOperators("x***y"), "x^*y");
  EXPECT_EQ(TExpresion::SplitNames("sin/sen"), std::make_pair(std::string("sin"), std::string("sen")));
  EXPECT_EQ(TExpresion::SplitNames("/x"), std::make_pair(std::string("/x"), std::string()));
  EXPECT_EQ(TExpresion::SplitNames("x"), std::make_pair(std::string("x"), std::string()));
  EXPECT_EQ(TExpresion::Preprocess("(x+1) (x-1)"), "(x+1)(x-1)");
  EXPECT_EQ(TExpresion::Preprocess("(x+1)(x-1)"), "(x+1)*(x-1)");
  EXPECT_EQ(TExpresion::Preprocess("(x)(y)"), "(x)(y)");
  EXPECT_EQ(TExpresion::Preprocess("a{b)(c}d}e\xA3 f"), "ad}e\xA3" "f");
}

TEST(TextHelpersTest, SetValueTextWritesFifteenDigits) {
  ExprEnv env;
  env.root.SetValueText(0.1f);
  EXPECT_EQ(env.root.Text(), "0.100000001490116");
  env.root.SetValueText(-3.0f);
  EXPECT_EQ(env.root.Text(), "-3");
  EXPECT_FLOAT_EQ(env.root.GetValue(), -3.0f);
}

// Random short texts over the grammar's characters: compiling never crashes
// or throws, is deterministic, and no evaluation yields NaN or infinity.
TEST(GrammarRobustnessTest, RandomTexts) {
  const std::string alphabet = "x2().,+-*/^\\\xA3<=>&$!'e:;\"b1";
  std::mt19937 random(1234);
  ExprEnv first;
  ExprEnv second;
  for (int i = 0; i < 20000; ++i) {
    std::string text;
    const int length = 1 + static_cast<int>(random() % 12);
    for (int k = 0; k < length; ++k) text += alphabet[random() % alphabet.size()];
    SCOPED_TRACE(text);
    // An equal text is not compiled again and keeps the last evaluation's state.
    if (text == first.root.Text()) continue;
    first.root.SetText(text);
    second.root.SetText("\x01");
    second.root.SetText(text);
    ASSERT_EQ(first.root.Compiled(), second.root.Compiled());
    ASSERT_EQ(first.root.ErrorCode(), second.root.ErrorCode());
    if (!first.root.Compiled()) {
      ASSERT_EQ(first.root.ErrorText(), second.root.ErrorText());
      continue;
    }
    for (const float x : {-1.5f, 0.0f, 2.0f}) {
      first.x->SetValue(x);
      const float value = first.root.GetValue();
      ASSERT_TRUE(std::isfinite(value)) << x;
    }
  }
}

}  // namespace
}  // namespace vorla::test
