// Number text in bases 2 to 36 (fixed and exponent notation, rounding).

#include <gtest/gtest.h>

#include <string>

#include "core/expr/bases2_36.h"

namespace vorla {
namespace {

struct BaseCase {
  const char* name;
  int base;
  long double value;
  const char* text;
};

void PrintTo(const BaseCase& c, std::ostream* os) { *os << c.name; }

class FloatToBaseTest : public ::testing::TestWithParam<BaseCase> {};

TEST_P(FloatToBaseTest, Prints) {
  const BaseCase& c = GetParam();
  EXPECT_EQ(FloatToBase(c.base, c.value), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FloatToBaseTest,
    ::testing::Values(BaseCase{"zero", 10, 0, "0"}, BaseCase{"one", 10, 1, "1"},
                      BaseCase{"negativeFraction", 10, -2.5L, "-2.5"},
                      BaseCase{"negativeBelowOne", 10, -0.5L, "-0.5"},
                      BaseCase{"roundsUpThroughAllDigits", 10, 0.999999999999999999L, "1"},
                      BaseCase{"floatTenth", 10, 0.1f, "0.1000000014901161"},
                      BaseCase{"floatPi", 10, 3.14159f, "3.1415901184082031"},
                      BaseCase{"fixedLarge", 10, 1e15f, "999999986991104"},
                      BaseCase{"exponentLarge", 10, 1e17f, "0.9999999843067494e17"},
                      BaseCase{"exponentSmall", 10, 1e-20f, "0.9999999682655225e-20"},
                      BaseCase{"mantissaBelowOne", 10, 2.5e20f, "0.2500000050102193e21"},
                      BaseCase{"hexadecimal", 16, 255, "FF [16]"},
                      BaseCase{"binaryHalf", 2, 0.5L, "0.1 [2]"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DigitTest, CharactersAndValues) {
  EXPECT_EQ(DigitChar(9), '9');
  EXPECT_EQ(DigitChar(35), 'Z');
  EXPECT_EQ(DigitValue('z'), 35);
  EXPECT_EQ(DigitValue('A'), 10);
  EXPECT_TRUE(DigitError().empty());
  EXPECT_EQ(DigitValue('?'), 0);
  EXPECT_EQ(DigitError(), "Error de sintaxis (Caracter no reconocido)");
  EXPECT_EQ(IntToBase(16, -255), "-FF");
  EXPECT_EQ(IntToBase(2, 0), "0");
}

}  // namespace
}  // namespace vorla
