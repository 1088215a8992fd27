// Colour adjustment: channel shifts, hue/saturation/lightness shifts and
// their conversions, and what each adjustment does to a gradient table.

#include <gtest/gtest.h>

#include "core/gradient/ColorAdjust.h"

namespace vorla {
namespace {

TEST(ColorAdjust, ChannelShift) {
  struct Row { const char* name; int saved, position, expected; };
  const Row rows[] = {
      {"+128 lifts 0 half way", 0, 128, 128},
      {"+128 keeps 255", 255, 128, 255},
      {"-128 on 255 floors", 255, -128, 127},
      {"+255 gives 255", 10, 255, 255},
      {"-255 gives 0", 200, -255, 0},
      {"+1 on 100 floors before adding", 100, 1, 100},
      {"0 keeps the value", 77, 0, 77},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(ShiftChannel(static_cast<std::uint8_t>(r.saved), r.position), r.expected);
  }
}

TEST(ColorAdjust, HslShift) {
  struct Row { const char* name; Rgb saved; HslShift shift; Rgb expected; };
  const Row rows[] = {
      {"hue +50 turns red cyan", {255, 0, 0}, {50, 0, 0}, {0, 255, 255}},
      {"hue -50 turns red cyan too", {255, 0, 0}, {-50, 0, 0}, {0, 255, 255}},
      {"hue +50 from blue wraps past 1", {0, 0, 255}, {50, 0, 0}, {255, 255, 0}},
      {"saturation -100 greys red, rounding half up", {255, 0, 0}, {0, -100, 0}, {128, 128, 128}},
      {"lightness +100 is white", {30, 140, 90}, {0, 0, 100}, {255, 255, 255}},
      {"lightness -100 is black", {30, 140, 90}, {0, 0, -100}, {0, 0, 0}},
      {"grey ignores hue", {128, 128, 128}, {37, 0, 0}, {128, 128, 128}},
      {"no shift gives the colour back", {12, 200, 77}, {0, 0, 0}, {12, 200, 77}},
      {"green-maximum colour comes back", {40, 250, 100}, {0, 0, 0}, {40, 250, 100}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(ShiftHsl(r.saved, r.shift), r.expected);
  }
}

// Range 4..255 with nodes at 4 (black) and 100 (red), fixed colours below.
TGradTable Sample(int& notices) {
  TGradTable t;
  t.SetStartCol(4);
  t.SetPalString("04000000640000FF");
  for (std::uint8_t i = 0; i < 4; ++i) t.SetColors(i, 0x102030u * (i + 1));
  t.OnChange = [&notices] { ++notices; };
  return t;
}

TEST(ColorAdjust, TableAdjustmentsStartFromTheSavedColours) {
  int notices = 0;
  TGradTable t = Sample(notices);
  const Palette saved = SaveColors(t);
  const Palette before = t.Palette();

  ApplyChannelShift(t, saved, Channel::kRed, 128);
  EXPECT_EQ(notices, 1) << "one notice for all 256 entries";
  EXPECT_EQ(t.Red(4), 128) << "node";
  EXPECT_EQ(t.Red(1), 176) << "fixed colour 0x60 outside the range";
  EXPECT_EQ(t.Green(1), 0x40) << "other channels untouched";
  EXPECT_TRUE(t.IsNode(100));
  ApplyChannelShift(t, saved, Channel::kRed, 0);
  EXPECT_EQ(t.Palette(), before) << "back to 0 restores exactly";

  ApplyHslShift(t, saved, {0, -100, 0});
  EXPECT_EQ(ToRgb(t.Colors(100)), (Rgb{128, 128, 128}));
  EXPECT_EQ(ToRgb(t.Colors(52)), (Rgb{63, 63, 63})) << "blend between the nodes recalculated";
  EXPECT_EQ(t.Colors(2), 0x102030u * 3) << "slots outside the range keep their colour";

  ApplyChannelShift(t, saved, Channel::kBlue, -200);
  ApplyHslShift(t, saved, {20, 30, 10});
  RestoreColors(t, saved);
  EXPECT_EQ(t.Palette(), before);
  EXPECT_TRUE(t.IsNode(4) && t.IsNode(100) && !t.IsNode(50)) << "node flags kept";
}

}  // namespace
}  // namespace vorla
