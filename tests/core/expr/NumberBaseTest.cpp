// Number text as the typesetter prints it, in base 10 (fixed and exponent
// notation, rounding).

#include <gtest/gtest.h>

#include <string>

#include "core/expr/bases2_36.h"

namespace vorla {
namespace {

TEST(FloatToBaseTest, Prints) {
  struct Row { const char* name; long double value; const char* text; };
  const Row rows[] = {
      {"zero", 0, "0"},
      {"one", 1, "1"},
      {"negativeFraction", -2.5L, "-2.5"},
      {"negativeBelowOne", -0.5L, "-0.5"},
      {"roundsUpThroughAllDigits", 0.999999999999999999L, "1"},
      {"floatTenth", 0.1f, "0.1000000014901161"},
      {"floatPi", 3.14159f, "3.1415901184082031"},
      {"fixedLarge", 1e15f, "999999986991104"},
      {"exponentLarge", 1e17f, "0.9999999843067494e17"},
      {"exponentSmall", 1e-20f, "0.9999999682655225e-20"},
      {"mantissaBelowOne", 2.5e20f, "0.2500000050102193e21"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(FloatToBase(10, r.value), r.text);
  }
}

}  // namespace
}  // namespace vorla
