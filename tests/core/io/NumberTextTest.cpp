// Number text: "%g" printing and strict parsing, independent of the locale.

#include <gtest/gtest.h>

#include <clocale>

#include "core/io/NumberText.h"

namespace vorla {
namespace {

TEST(FormatGTest, MatchesPrintfG) {
  struct Row { const char* name; double value; int digits; const char* text; };
  const Row rows[] = {
      {"integer", 3, 15, "3"},
      {"fifteenDigits", 3.14159265358979312, 15, "3.14159265358979"},
      {"sixDigits", 9.4247779607693793, 6, "9.42478"},
      {"negative", -0.5, 15, "-0.5"},
      {"smallExponent", 1e-7, 15, "1e-07"},
      {"largeExponent", 3.4e38, 6, "3.4e+38"},
      {"float", static_cast<double>(0.1f), 15, "0.100000001490116"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(FormatG(r.value, r.digits), r.text);
  }
}

TEST(ParseDoubleTest, AcceptsWholeDecimalNumbersOnly) {
  EXPECT_EQ(ParseDouble("-1.5"), -1.5);
  EXPECT_EQ(ParseDouble("  +7 "), 7.0);
  EXPECT_EQ(ParseDouble("2e-3"), 2e-3);
  EXPECT_FALSE(ParseDouble(""));
  EXPECT_FALSE(ParseDouble("1,5"));
  EXPECT_FALSE(ParseDouble("3x"));
  EXPECT_FALSE(ParseDouble("+-3"));
  EXPECT_FALSE(ParseDouble("inf"));
  EXPECT_FALSE(ParseDouble("nan"));
}

TEST(ParseDoubleTest, IgnoresACommaLocale) {
  if (!std::setlocale(LC_NUMERIC, "es_ES.UTF-8") && !std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
    GTEST_SKIP() << "no comma locale installed";
  EXPECT_EQ(FormatG(2.5), "2.5");
  EXPECT_EQ(ParseDouble("2.5"), 2.5);
  std::setlocale(LC_NUMERIC, "C");
}

}  // namespace
}  // namespace vorla
