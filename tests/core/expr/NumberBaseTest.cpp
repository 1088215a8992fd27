// Number text in bases 2 to 36 (fixed and exponent notation, rounding).

#include <gtest/gtest.h>

#include <string>

#include "core/expr/bases2_36.h"

namespace vorla {
namespace {

TEST(FloatToBaseTest, Prints) {
  struct Row { const char* name; int base; long double value; const char* text; };
  const Row rows[] = {
      {"zero", 10, 0, "0"},
      {"one", 10, 1, "1"},
      {"negativeFraction", 10, -2.5L, "-2.5"},
      {"negativeBelowOne", 10, -0.5L, "-0.5"},
      {"roundsUpThroughAllDigits", 10, 0.999999999999999999L, "1"},
      {"floatTenth", 10, 0.1f, "0.1000000014901161"},
      {"floatPi", 10, 3.14159f, "3.1415901184082031"},
      {"fixedLarge", 10, 1e15f, "999999986991104"},
      {"exponentLarge", 10, 1e17f, "0.9999999843067494e17"},
      {"exponentSmall", 10, 1e-20f, "0.9999999682655225e-20"},
      {"mantissaBelowOne", 10, 2.5e20f, "0.2500000050102193e21"},
      {"hexadecimal", 16, 255, "FF [16]"},
      {"binaryHalf", 2, 0.5L, "0.1 [2]"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(FloatToBase(r.base, r.value), r.text);
  }
}

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
