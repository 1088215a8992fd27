// The gradient table: blends, the palette string, rotation, neighbours and notifications.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/gradient/GradTable.h"
#include "core/gradient/SystemColors.h"

namespace vorla {
namespace {

TColor Red(int r) { return static_cast<TColor>(r); }

// A table with range start..end holding exactly the nodes of `pal`.
TGradTable Make(int start, int end, const std::string& pal) {
  TGradTable t;
  t.SetStartCol(static_cast<std::uint8_t>(start));
  t.SetEndCol(static_cast<std::uint8_t>(end));
  t.SetPalString(pal);
  return t;
}

TEST(GradTableBlend, EntriesFollowTheDistancePlusOneRule) {
  struct Row { const char* name; int start, end; std::string pal; int index; TColor expected; };
  const Row rows[] = {
      {"first step of inner segment", 4, 255, "04000000800000FF", 5, Red(2)},
      {"entry before next node stops short", 4, 255, "04000000800000FF", 127, Red(251)},
      {"node keeps its colour", 4, 255, "04000000800000FF", 128, Red(255)},
      {"wrap segment first step", 4, 255, "04000000800000FF", 129, Red(253)},
      {"wrap segment last entry", 4, 255, "04000000800000FF", 255, Red(4)},
      {"single node fills above", 4, 255, "40123456", 255, 0x123456},
      {"single node fills below", 4, 255, "40123456", 4, 0x123456},
      {"last node at EndCol-1 fills EndCol", 0, 100, "0A0000FF63000000", 100, Red(20)},
      {"first node at StartCol+1 fills StartCol", 10, 100, "0B0000FF1E000000", 10, Red(248)},
      {"full range inner ramp low end", 0, 255, "000000FFFF000000", 1, Red(254)},
      {"full range inner ramp high end", 0, 255, "00000000FF0000FF", 254, Red(253)},
      {"channels blend independently", 0, 9, "00FF00000200FF00", 1, 0xAA5500},
      {"range narrowed leaves outside node out", 20, 30, "05FFFFFF1800FF00", 29, 0x00FF00},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const TGradTable t = Make(r.start, r.end, r.pal);
    EXPECT_EQ(t.Colors(static_cast<std::uint8_t>(r.index)), r.expected);
  }
}

TEST(GradTableBlend, DefaultsAndNodelessRange) {
  TGradTable t;
  EXPECT_EQ(t.GetNodes(), (std::vector<std::uint8_t>{8, 127}));
  EXPECT_EQ(t.Colors(8), 0x0000FFu);
  EXPECT_EQ(t.Colors(127), 0x00FFFFu);
  EXPECT_EQ(t.PalString(), "080000FF7F00FFFF");

  // Without nodes the whole range takes the colour of entry StartCol.
  t.SetColors(8, 0x010203);
  t.SetColors(127, 0);
  t.SetColors(0, 0x445566);
  t.Recalc();
  for (int i : {0, 1, 8, 127, 255}) EXPECT_EQ(t.Colors(static_cast<std::uint8_t>(i)), 0x445566u) << i;
}

TEST(GradTableBlend, EmptyRangeChangesNothing) {
  TGradTable t;
  t.SetStartCol(200);
  const auto before = t.Palette();
  t.SetEndCol(100);
  t.Recalc();
  t.Rotate(5);
  EXPECT_EQ(t.NodeCount(), 0);
  EXPECT_EQ(t.PalString(), "");
  EXPECT_EQ(t.Palette(), before);
}

TEST(GradTableText, RoundTripsUpToThirtyOneNodes) {
  TGradTable source;
  std::string expected;
  for (int k = 0; k < 31; ++k) {
    const int index = 4 + 8 * k;
    source.SetNode(static_cast<std::uint8_t>(index), static_cast<TColor>(k * 0x050301 + 0x100000));
  }
  source.DeleteNode(8);
  source.DeleteNode(127);
  ASSERT_EQ(source.NodeCount(), 31);
  const std::string text = source.PalString();
  EXPECT_EQ(text.size(), 248u);

  TGradTable copy;
  copy.SetPalString(text);
  EXPECT_EQ(copy.GetNodes(), source.GetNodes());
  EXPECT_EQ(copy.Palette(), source.Palette());

  source.SetNode(250, 0xABCDEF);
  EXPECT_THROW(copy.SetPalString(source.PalString()), GradientRangeError);
}

TEST(GradTableText, BadTextsLeaveTheTableAsItWas) {
  struct Row { const char* name; std::string text; bool throws; std::string field; };
  const Row rows[] = {
      {"shorter than a node", "0400000", false, ""},
      {"not a multiple of 8", "0400000080FF000", false, ""},
      {"256 characters", std::string(256, '0'), true, ""},
      {"bad index field", "04000000G0FF0000", true, "$G0"},
      {"bad colour in second node", "0400000080FF00Z0", true, "$FF00Z0"},
      {"blank inside a field", "04 0000080FF0000", true, "$ 00000"},
      {"sign is not a digit", "04-0000080FF0000", true, "$-00000"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    TGradTable t = Make(4, 255, "10FF000090000000");
    int notices = 0;
    t.OnChange = [&] { ++notices; };
    const auto before = t.Palette();
    const auto nodes = t.GetNodes();
    if (!r.throws) {
      EXPECT_NO_THROW(t.SetPalString(r.text));
    } else if (r.field.empty()) {
      EXPECT_THROW(t.SetPalString(r.text), GradientRangeError);
    } else {
      try {
        t.SetPalString(r.text);
        ADD_FAILURE() << "no error";
      } catch (const GradientConvertError& e) {
        EXPECT_EQ(e.Field(), r.field);
        EXPECT_EQ(std::string(e.what()), "'" + r.field + "' no es un valor entero v\xE1lido");
      }
    }
    EXPECT_EQ(t.Palette(), before);
    EXPECT_EQ(t.GetNodes(), nodes);
    EXPECT_EQ(notices, 0);
  }
}

TEST(GradTableText, ReadingRules) {
  TGradTable t = Make(4, 255, "0400000080FF0000");
  EXPECT_EQ(t.GetNodes(), (std::vector<std::uint8_t>{4, 128}));
  EXPECT_EQ(t.Colors(128), 0xFF0000u) << "last six digits are blue, green, red";

  t.SetPalString("10abcdef10000001");
  EXPECT_EQ(t.GetNodes(), std::vector<std::uint8_t>{16}) << "a later node replaces an earlier one";
  EXPECT_EQ(t.Colors(200), 0x000001u);

  t.SetPalString("02FFFFFF20000080");
  EXPECT_TRUE(t.IsNode(2)) << "a node outside the range is still stored";
  EXPECT_EQ(t.NodeCount(), 1);
  EXPECT_EQ(t.Colors(255), 0x000080u) << "but takes no part in the gradient";
  EXPECT_EQ(t.PalString(), "20000080");
}

TEST(GradTableRotate, ShiftsTheRangeCyclically) {
  TGradTable t = Make(4, 255, "0400000080FF0000");
  const auto before = t.Palette();
  t.Rotate(3);
  EXPECT_EQ(t.GetNodes(), (std::vector<std::uint8_t>{7, 131}));
  for (int k = 0; k < 3; ++k) EXPECT_EQ(t.Palette()[4 + k], before[253 + k]) << k;
  EXPECT_EQ(t.Palette()[0], before[0]) << "outside the range nothing moves";

  // The blend rule makes a rotated table identical to a recalculated one.
  const auto rotated = t.Palette();
  t.Recalc();
  EXPECT_EQ(t.Palette(), rotated);

  t.Rotate(-3);
  EXPECT_EQ(t.Palette(), before);
  EXPECT_EQ(t.GetNodes(), (std::vector<std::uint8_t>{4, 128}));

  t.Rotate(-5);
  EXPECT_EQ(t.GetNodes(), (std::vector<std::uint8_t>{123, 251}));
}

TEST(GradTableNodes, FindNeighbours) {
  struct Row { const char* name; int index, below, above; };
  const Row rows[] = {
      {"on a node", 40, 40, 40},
      {"between nodes", 50, 40, 100},
      {"just above the last node wraps up", 101, 100, 40},
      {"at EndCol wraps up", 200, 100, 40},
      {"at StartCol wraps down", 10, 100, 40},
      {"outside the range", 5, 5, 5},
  };
  const TGradTable t = Make(10, 200, "2800000064000000");
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    std::int16_t below = -1, above = -1;
    t.FindNeighbours(static_cast<std::uint8_t>(r.index), below, above);
    EXPECT_EQ(below, r.below);
    EXPECT_EQ(above, r.above);
  }
  std::int16_t below = -1, above = -1;
  Make(10, 200, "05000000").FindNeighbours(20, below, above);
  EXPECT_EQ(below, 20) << "a range without nodes";
  EXPECT_EQ(above, 20);
}

TEST(GradTableNodes, EditingAndNotices) {
  TGradTable t = Make(4, 255, "0400000080FF0000");
  int notices = 0;
  t.OnChange = [&] { ++notices; };

  t.SetColors(128, 0x00FF00);
  EXPECT_FALSE(t.IsNode(128)) << "a Colors write drops the flag";
  EXPECT_EQ(notices, 1);
  t.Recalc();
  EXPECT_EQ(t.Colors(128), 0u) << "and the next Recalc blends over it";

  t.SetRed(4, 9);
  EXPECT_EQ(notices, 2) << "channel setters do not notify";
  EXPECT_TRUE(t.IsNode(4)) << "and keep the flag";
  EXPECT_EQ(t.Colors(4), 9u);

  EXPECT_FALSE(t.DeleteNode(4)) << "the last node stays";
  t.SetNode(50, kSystemColorFlag | 15);
  EXPECT_EQ(t.Colors(50), SystemColor(15)) << "system colours are resolved";
  EXPECT_FALSE(t.DeleteNode(2)) << "outside the range";
  EXPECT_TRUE(t.DeleteNode(4));
  EXPECT_EQ(t.GetNodes(), std::vector<std::uint8_t>{50});

  notices = 0;
  t.SetStartCol(4);
  t.SetEndCol(255);
  t.Rotate(0);
  EXPECT_EQ(notices, 0) << "unchanged setters and a zero rotation are silent";
}

}  // namespace
}  // namespace vorla
