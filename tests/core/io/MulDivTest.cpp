// The rounding multiply-divide behind every proportional integer computation.

#include <gtest/gtest.h>

#include "core/io/MulDiv.h"

namespace vorla {
namespace {

TEST(MulDivTest, RoundsHalvesAwayFromZero) {
  struct Row { const char* name; int a, b, c, expected; };
  const Row rows[] = {
      {"exact", 10, 6, 3, 20},       {"half up", 5, 1, 2, 3},
      {"half negative", -5, 1, 2, -3}, {"below half", 4, 1, 3, 1},
      {"negative divisor", 5, 1, -2, -3}, {"band edge", 1, 1000, 255, 4},
      {"aspect", 26, 3, 10, 8},      {"wide product", 2000000000, 3, 4, 1500000000},
      {"zero divisor", 1, 1, 0, -1},  {"overflow", 2000000000, 4, 1, -1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(MulDiv(r.a, r.b, r.c), r.expected);
  }
}

}  // namespace
}  // namespace vorla
