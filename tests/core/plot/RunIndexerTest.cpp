// Indices of whole runs in SIMD against the pixel-by-pixel rule, for every
// combination of the switches and a spread of scales and values.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/expr/RowProgram.h"
#include "core/plot/LevelScale.h"
#include "core/plot/RunIndexer.h"

namespace vorla {
namespace {

// Gradient, "Bucle" below and above, filters below and above: one bit each.
IndexSettings Switched(int switches) {
  IndexSettings settings;
  settings.gradient = switches & 1;
  settings.wrapBelow = switches & 2;
  settings.wrapAbove = switches & 4;
  settings.filterBelow = switches & 8;
  settings.filterAbove = switches & 16;
  settings.filterMin = -20;
  settings.filterMax = 30;
  return settings;
}

TEST(RunIndexerTest, EqualsThePixelRuleForEverySwitch) {
  struct Scale { const char* name; float zmin, zmax; };
  const Scale scales[] = {{"usual", -3.14159265f, 3.14159265f}, {"narrow", 1, 1},
                          {"reversed", 2, -2}, {"tiny", 0, 1e-20f}};
  std::mt19937 random(5);
  std::uniform_real_distribution<float> spread(-40, 40);
  std::vector<float> z(250);  // not a whole number of vectors
  for (float& v : z) v = spread(random);
  z[3] = -3.14159265f;  // exactly the ends of the usual scale
  z[4] = 3.14159265f;
  z[5] = 1;
  for (const Scale& s : scales) {
    for (int switches = 0; switches < 32; ++switches) {
      SCOPED_TRACE(testing::Message() << s.name << " switches " << switches);
      const IndexSettings settings = Switched(switches);
      const LevelScale scale(s.zmin, s.zmax);
      std::vector<std::uint8_t> indices(z.size());
      IndexedRun run;
      if (!IndexRun(z.data(), z.size(), scale, settings, indices.data(), run)) {
        // Only levels beyond 32 bits send the run back, on the tiny scale.
        EXPECT_STREQ(s.name, "tiny");
        continue;
      }
      for (std::size_t i = 0; i < z.size(); ++i) {
        std::uint8_t expected = 0;
        if (!settings.Filters(z[i])) {
          ASSERT_TRUE(scale.Index(z[i], settings, expected));
        }
        ASSERT_EQ(indices[i], expected) << "z=" << z[i];
      }
      EXPECT_EQ(run.min, *std::min_element(z.begin(), z.end()));
      EXPECT_EQ(run.max, *std::max_element(z.begin(), z.end()));
    }
  }
}

TEST(RunIndexerTest, LeavesToThePixelLoopWhatItsOrderDecides) {
  const LevelScale scale(-1, 1);
  IndexSettings settings;
  std::vector<std::uint8_t> indices(8);
  IndexedRun run;
  const std::vector<float> signedZeros{0.5f, -0.0f, 0.0f, 0.25f, 0.5f, 0.75f, 0.5f, 0.5f};
  EXPECT_FALSE(IndexRun(signedZeros.data(), 8, scale, settings, indices.data(), run))
      << "0 or -0 as the smallest value depends on which comes first";
  const std::vector<float> plain{0.5f, -0.5f, 0.25f, 0.25f, 0.5f, 0.75f, 0.5f, 0.5f};
  EXPECT_TRUE(IndexRun(plain.data(), 8, scale, settings, indices.data(), run));
  EXPECT_FALSE(IndexRun(plain.data(), 8, LevelScale(-3e38f, 3e38f), settings, indices.data(), run))
      << "a scale wider than a float fails pixel by pixel";
}

// Values on and next to every level's middle and edge over a dozen turns of
// "Bucle" each way, whole turns included, and a failed one; no zero, whose
// sign the scan order decides.
TEST(RunIndexerTest, EqualsThePixelRuleOnLevelEdgesAndWholeTurns) {
  struct Scale { const char* name; float zmin, zmax; };
  const Scale scales[] = {{"usual", -3.14159265f, 3.14159265f}, {"reversed", 2, -2}, {"wide", -1e6f, 1e6f}};
  for (const Scale& s : scales) {
    const LevelScale scale(s.zmin, s.zmax);
    std::vector<float> z;
    for (int k = -3000; k <= 3000; ++k)
      for (const double f : {0.0, 0.25, 0.4999999, 0.5, 0.5000001, -0.5})
        if (const auto v = static_cast<float>(s.zmin + (k + f) * scale.StepWidth()); v != 0) z.push_back(v);
    z.push_back(std::nanf(""));
    for (int switches = 0; switches < 32; ++switches) {
      SCOPED_TRACE(testing::Message() << s.name << " switches " << switches);
      const IndexSettings settings = Switched(switches);
      for (std::size_t start = 0; start < z.size(); start += RowProgram::kRunLength) {
        const std::size_t n = std::min(RowProgram::kRunLength, z.size() - start);
        std::vector<std::uint8_t> indices(n);
        IndexedRun run;
        ASSERT_TRUE(IndexRun(z.data() + start, n, scale, settings, indices.data(), run));
        for (std::size_t i = 0; i < n; ++i) {
          const float v = z[start + i];
          std::uint8_t expected = 0;
          if (!std::isnan(v) && !settings.Filters(v)) {
            ASSERT_TRUE(scale.Index(v, settings, expected));
          }
          ASSERT_EQ(indices[i], expected) << "z=" << v;
        }
      }
    }
  }
}

// Every whole level up to 2^22 each way, wrapped both ways: the remainders
// of the levels by 250 are taken in float where they can.
TEST(RunIndexerTest, EqualsThePixelRuleOnEveryWholeLevel) {
  const LevelScale scale(0, 249);
  ASSERT_EQ(scale.StepWidth(), 1.0f) << "the level of a whole z is z";
  const IndexSettings settings = Switched(7);
  constexpr int kRun = static_cast<int>(RowProgram::kRunLength);
  std::vector<float> z(kRun);
  std::vector<std::uint8_t> indices(kRun);
  for (int first = -(1 << 22); first < (1 << 22); first += kRun) {
    // Zero, whose sign the scan order decides, stands in for one.
    for (int i = 0; i < kRun; ++i) z[static_cast<std::size_t>(i)] = static_cast<float>(first + i == 0 ? 1 : first + i);
    IndexedRun run;
    ASSERT_TRUE(IndexRun(z.data(), z.size(), scale, settings, indices.data(), run));
    for (std::size_t i = 0; i < z.size(); ++i) {
      std::uint8_t expected = 0;
      ASSERT_TRUE(scale.Index(z[i], settings, expected));
      ASSERT_EQ(indices[i], expected) << "z=" << z[i];
    }
  }
}

}  // namespace
}  // namespace vorla
