// Hue, saturation and lightness shifts and their rounding; the dialog's
// tests cover the channel shifts and what reaches the table.

#include <gtest/gtest.h>

#include "core/gradient/ColorAdjust.h"

namespace vorla {
namespace {

TEST(ColorAdjust, HslShift) {
  struct Row { const char* name; Rgb saved; HslShift shift; Rgb expected; };
  const Row rows[] = {
      {"hue -50 turns red cyan too", {255, 0, 0}, {-50, 0, 0}, {0, 255, 255}},
      {"hue +50 from blue wraps past 1", {0, 0, 255}, {50, 0, 0}, {255, 255, 0}},
      {"grey rounds half up", {255, 0, 0}, {0, -100, 0}, {128, 128, 128}},
      {"lightness -100 is black", {30, 140, 90}, {0, 0, -100}, {0, 0, 0}},
      {"grey ignores hue", {128, 128, 128}, {37, 0, 0}, {128, 128, 128}},
      {"a red-maximum colour comes back", {250, 12, 77}, {0, 0, 0}, {250, 12, 77}},
      {"a green-maximum colour comes back", {40, 250, 100}, {0, 0, 0}, {40, 250, 100}},
      {"a dark colour (L under 0.5) comes back", {20, 5, 60}, {0, 0, 0}, {20, 5, 60}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(ShiftHsl(r.saved, r.shift), r.expected);
  }
  EXPECT_EQ(ShiftChannel(100, 1), 100) << "floors before adding";
}

}  // namespace
}  // namespace vorla
